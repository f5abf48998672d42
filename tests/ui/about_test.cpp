#include "ui/about.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

using calibrix::About;

namespace {

// Takes the links instead of the desktop, so no browser or mail program ever starts.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

const char* const kSchemes[] = {"mailto", "http", "https"};

// What the main window's About button does.
void request(QPointer<About>& about) {
    if (about.isNull())
        about = new About();
    about->show();
    about->raise();
    about->activateWindow();
}

QWidget* control(QWidget* about, const char* name) {
    auto* widget = about->findChild<QWidget*>(QString::fromLatin1(name));
    if (widget == nullptr)
        qFatal("no control %s", name);
    return widget;
}

bool hasColor(const QImage& image, const QRect& area, const QColor& color, int tolerance) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) <= tolerance &&
                qAbs(c.green() - color.green()) <= tolerance &&
                qAbs(c.blue() - color.blue()) <= tolerance)
                return true;
        }
    return false;
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

    UrlCatcher catcher_;
    QPointer<About> about_;

private Q_SLOTS:
    void initTestCase() {
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher_, "open");
    }

    void cleanupTestCase() {
        delete about_;
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    // Every test starts from a shown, active window with the focus on OK.
    void init() {
        delete about_;
        request(about_);
        QVERIFY(QTest::qWaitForWindowActive(about_));
        catcher_.urls.clear();
    }

    void artwork_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("middle"); // centred vertically too; the portrait stands on the edge
        QTest::newRow("icon") << "calibrix" << QSize(32, 32) << true;
        QTest::newRow("copy") << "copy" << QSize(71, 28) << true;
        QTest::newRow("paste") << "paste" << QSize(75, 28) << true;
        QTest::newRow("clear") << "clear" << QSize(93, 36) << true;
        QTest::newRow("about") << "about" << QSize(80, 36) << true;
        QTest::newRow("exit") << "exit" << QSize(90, 36) << true;
        QTest::newRow("calculate") << "calculate" << QSize(92, 36) << true;
        QTest::newRow("delete") << "delete" << QSize(23, 23) << true;
        QTest::newRow("ok") << "ok" << QSize(76, 36) << true;
        QTest::newRow("portrait") << "portrait" << QSize(110, 111) << false;
    }

    // Each picture is compiled in, has its design size and a transparent background, and its
    // drawing is centred in it.
    void artwork() {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(bool, middle);
        QSvgRenderer svg(QStringLiteral(":/resources/%1.svg").arg(file));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), size);
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        QRect ink;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    ink |= QRect(x, y, 1, 1);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(ink.width() > size.width() / 2);
        const QPoint off = ink.center() - image.rect().center();
        QVERIFY2(qAbs(off.x()) <= 2 && (!middle || qAbs(off.y()) <= 3), "not centred");
    }

    void window() {
        QCOMPARE(about_->objectName(), QStringLiteral("About"));
        QCOMPARE(about_->windowTitle(), QStringLiteral(" About"));
        QCOMPARE(about_->size(), QSize(560, 328));
        QCOMPARE(about_->minimumSize(), about_->maximumSize());
        const Qt::WindowFlags flags = about_->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!about_->windowIcon().isNull());
        QVERIFY(about_->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(about_->palette().color(QPalette::Window), QColor(224, 224, 224));
        const QPoint offset =
            about_->geometry().center() - about_->screen()->availableGeometry().center();
        // Centred before the frame is known, so off by up to a frame's width.
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4, "not centred on the screen");
    }

    void controls_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("design"); // design twips / 15
        QTest::addColumn<char>("anchor");  // F fixed, H height fitted, L/R/C left/right/centre kept
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("text");
        struct Row {
            const char* name;
            const char* container;
            QRect design;
            char anchor;
            int pixelSize;
            QRgb color;
            const char* text;
        };
        const QRgb blue = qRgb(0, 0, 192), black = qRgb(0, 0, 0);
        const char* purpose =
            "This program calculates parameters of calibration curve for chemical analysis";
        const char* web = "http://www.example.org/simulations/simu_chem.html";
        const char* rights = "Copyright © 2026 The Calibrix developers";
        const char* author = "Author: calibrix@example.org";
        const char* findMore = "Find more chemical programs here:";
        // clang-format off
        const Row rows[] = {
            {"Frame1",    "About",  {8, 8, 545, 145},    'F', 11, black, ""},
            {"Label1",    "Frame1", {199, 24, 259, 37},  'C', 32, blue,  "Calibrix"},
            {"Label2(0)", "Frame1", {296, 72, 67, 16},   'C', 13, black, "Version 2.0"},
            {"Label2(1)", "Frame1", {176, 112, 297, 16}, 'C', 13, black, rights},
            {"Label2(2)", "About",  {24, 168, 514, 16},  'H', 13, black, purpose},
            {"Clear",     "About",  {440, 288, 113, 33}, 'F', 13, black, ""},
            {"Frame2",    "About",  {8, 192, 545, 89},   'F', 13, blue,  "Acknowledgement"},
            {"Label3",    "Frame2", {16, 24, 513, 49},   'F', 13, black, nullptr},
            {"Label4",    "Frame2", {400, 72, 130, 13},  'R', 11, blue,  author},
            {"Picture2",  "Frame1", {24, 24, 114, 115},  'F', 13, black, ""},
            {"Label5(0)", "About",  {72, 304, 280, 16},  'L', 13, blue,  web},
            {"Label5(1)", "About",  {104, 288, 211, 16}, 'L', 13, black, findMore},
        };
        // clang-format on
        for (const Row& row : rows)
            QTest::newRow(row.name)
                << QString::fromLatin1(row.container) << row.design << row.anchor << row.pixelSize
                << QColor(row.color) << (row.text ? QString::fromUtf8(row.text) : QString());
    }

    // Place, font, color and text of each control; whatever fits its text keeps its anchor,
    // shows its whole text and stays inside its container.
    void controls() {
        QFETCH(QString, container);
        QFETCH(QRect, design);
        QFETCH(char, anchor);
        QFETCH(int, pixelSize);
        QFETCH(QColor, color);
        QFETCH(QString, text);
        QWidget* widget = control(about_, QTest::currentDataTag());
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->font().pixelSize(), pixelSize);
        QCOMPARE(widget->palette().color(QPalette::WindowText), color);
        const QRect at = widget->geometry();
        QCOMPARE(at.top(), design.top());
        switch (anchor) {
        case 'F':
            QCOMPARE(at, design);
            break;
        case 'H':
            QCOMPARE(at.left(), design.left());
            QCOMPARE(at.width(), design.width());
            break;
        case 'L':
            QCOMPARE(at.left(), design.left());
            break;
        case 'R':
            QCOMPARE(at.right(), design.right());
            break;
        case 'C':
            QVERIFY(qAbs(at.center().x() - design.center().x()) <= 1);
            break;
        }
        QVERIFY2(widget->parentWidget()->rect().adjusted(1, 1, -1, -1).contains(at),
                 "outside its container's border");
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!text.isNull()) // the acknowledgement's wording is free
                QCOMPARE(label->text(), text);
            const QRect needed = label->fontMetrics().boundingRect(
                at.adjusted(0, 0, 0, 1000), int(label->alignment()) | Qt::TextWordWrap,
                label->text());
            QVERIFY2(needed.width() <= at.width() && needed.height() <= at.height(), "text cut");
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(frame->title(), text);
        }
    }

    // About twice, OK and About, the close box and About: Form_Load runs once per creation.
    void lifecycle() {
        const int loads = About::formLoadCount();
        QPointer<About> first = about_;
        request(about_);
        QCOMPARE(about_.data(), first.data());
        about_->move(about_->pos() + QPoint(30, 20));
        const QPoint movedTo = about_->pos();
        QTest::mouseClick(control(about_, "Clear"), Qt::LeftButton);
        QVERIFY(about_->isHidden());
        request(about_);
        QCOMPARE(about_.data(), first.data());
        QVERIFY(about_->isVisible());
        QCOMPARE(about_->pos(), movedTo);
        QCOMPARE(About::formLoadCount(), loads);
        QVERIFY(about_->close());
        QTRY_VERIFY(first.isNull());
        request(about_);
        QVERIFY(about_ != nullptr && about_->isVisible());
        QCOMPARE(About::formLoadCount(), loads + 1);
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("hides");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    // The focus starts on OK; Tab visits the mail link, the portrait and the web link in turn.
    void keys() {
        QFETCH(int, key);
        QFETCH(bool, hides);
        QWidget* ok = control(about_, "Clear");
        QCOMPARE(QApplication::focusWidget(), ok);
        for (const char* next : {"Label4", "Picture2", "Label5(0)", "Clear"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control(about_, next));
        }
        QTest::keyClick(ok, Qt::Key(key));
        QCOMPARE(about_->isHidden(), hides);
        QVERIFY(!about_.isNull());
    }

    void links_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QUrl>("url");
        const QUrl web("http://www.example.org/simulations/simu_chem.html");
        QTest::newRow("Label4") << "Label4" << QUrl("mailto:calibrix@example.org");
        QTest::newRow("Label5(0)") << "Label5(0)" << web;
        QTest::newRow("Label5(1)") << "Label5(1)" << web;
    }

    void links() {
        QFETCH(QString, label);
        QFETCH(QUrl, url);
        QTest::mouseClick(control(about_, label.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(catcher_.urls, QList<QUrl>{url});
        QVERIFY(about_->isVisible());
        QCOMPARE(QApplication::focusWidget(), control(about_, "Clear")); // a click takes no focus
    }

    void linkKeys_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<QUrl>>("urls");
        const QList<QUrl> mail{QUrl("mailto:calibrix@example.org")};
        const QList<QUrl> web{QUrl("http://www.example.org/simulations/simu_chem.html")};
        for (const auto& [label, urls] : {std::pair{"Label4", mail}, std::pair{"Label5(0)", web}}) {
            QTest::addRow("%s Return", label) << label << int(Qt::Key_Return) << urls;
            QTest::addRow("%s Enter", label) << label << int(Qt::Key_Enter) << urls;
            QTest::addRow("%s Space", label) << label << int(Qt::Key_Space) << urls;
            QTest::addRow("%s Escape", label) << label << int(Qt::Key_Escape) << QList<QUrl>{};
            QTest::addRow("%s A", label) << label << int(Qt::Key_A) << QList<QUrl>{};
        }
    }

    // A link that has the focus opens with Enter or Space, as a click opens it.
    void linkKeys() {
        QFETCH(QString, label);
        QFETCH(int, key);
        QFETCH(QList<QUrl>, urls);
        QWidget* link = control(about_, label.toLatin1().constData());
        link->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key(key));
        QCOMPARE(catcher_.urls, urls);
        QVERIFY(about_->isVisible());
    }

    void failedLaunch_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QString>("address");
        QTest::newRow("mail") << "Label4"
                              << "mailto"
                              << "calibrix@example.org";
        QTest::newRow("web") << "Label5(1)"
                             << "http"
                             << "http://www.example.org/simulations/simu_chem.html";
    }

    // openUrl fails when the handler cannot be called; the user is then told the address.
    void failedLaunch() {
        QFETCH(QString, label);
        QFETCH(QString, scheme);
        QFETCH(QString, address);
        QDesktopServices::setUrlHandler(scheme, &catcher_, "noSuchSlot");
        auto restore =
            qScopeGuard([&] { QDesktopServices::setUrlHandler(scheme, &catcher_, "open"); });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No such method"));
        QString text;
        QMessageBox::Icon icon = QMessageBox::Warning;
        Qt::WindowModality modality = Qt::NonModal;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                icon = box->icon();
                modality = box->windowModality();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(10);
        QTest::mouseClick(control(about_, label.toLatin1().constData()), Qt::LeftButton);
        QVERIFY2(text.contains(address), qPrintable(text));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(modality, Qt::ApplicationModal);
        QVERIFY(catcher_.urls.isEmpty());
        QVERIFY(about_->isVisible());
    }

    void cursors() {
        QCOMPARE(control(about_, "Label5(0)")->cursor().shape(), Qt::PointingHandCursor);
        for (const char* name : {"Label5(1)", "Label4", "Label3", "Picture2"})
            QVERIFY2(!control(about_, name)->testAttribute(Qt::WA_SetCursor), name);
        QCOMPARE(about_->cursor().shape(), Qt::ArrowCursor);
    }

    // Writes about.png beside the test program, to be looked at; checks that the pictures were
    // drawn.
    void picture() {
        const QImage image = about_->grab().toImage();
        QVERIFY(image.save(QCoreApplication::applicationDirPath() + QStringLiteral("/about.png")));
        const auto area = [&](const char* name) {
            QWidget* widget = control(about_, name);
            const QRectF at(widget->mapTo(about_, QPoint(0, 0)), widget->size());
            const qreal ratio = image.devicePixelRatio();
            return QRectF(at.topLeft() * ratio, at.size() * ratio).toRect();
        };
        QCOMPARE(image.pixelColor(2, 2), QColor(224, 224, 224));
        QVERIFY(hasColor(image, area("Label1"), QColor(0, 0, 192), 40));
        QVERIFY(hasColor(image, area("Clear"), QColor(46, 157, 70), 30));     // the green tick
        QVERIFY(hasColor(image, area("Picture2"), QColor(242, 201, 165), 8)); // the face
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
