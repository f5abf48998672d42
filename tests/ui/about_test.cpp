#include "tests/common/modalanswerer.h"
#include "ui/about.h"
#include "windowkit/artwork.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using calibrix::About;

namespace {

// Stands in for the desktop's opener, alone on PATH: records its arguments, waits until the
// test releases it (or at once), then ends with the exit code it was given. No browser or mail
// program ever starts.
class FakeOpener {
public:
    // The fake's folder is the whole PATH, so that a real opener is never found.
    FakeOpener() : path_(qgetenv("PATH")) { qputenv("PATH", dir_.path().toLocal8Bit()); }
    ~FakeOpener() { qputenv("PATH", path_); }

    // exitCode < 0: no opener on PATH at all.
    void install(int exitCode, bool waitForRelease = false) {
        for (const char* file : {"xdg-open", "args", "release", "done"})
            QFile::remove(dir_.filePath(QString::fromLatin1(file)));
        if (exitCode < 0)
            return;
        if (!waitForRelease)
            release();
        const QString script =
            QStringLiteral("#!/bin/sh\n"
                           "PATH=/usr/bin:/bin\n"
                           "printf '%s\\n' \"$#\" \"$@\" > '%1/args'\n"
                           "i=0\n"
                           "while [ ! -e '%1/release' ] && [ $i -lt 400 ]; do sleep 0.05; "
                           "i=$((i+1)); done\n"
                           "touch '%1/done'\n"
                           "exit %2\n")
                .arg(dir_.path())
                .arg(exitCode);
        QFile file(dir_.filePath(QStringLiteral("xdg-open")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ExeOwner));
    }
    void release() {
        QFile file(dir_.filePath(QStringLiteral("release")));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // The argument count and each argument, one a line, once the opener has started.
    QString args() const { return contents("args"); }
    bool done() const { return QFile::exists(dir_.filePath(QStringLiteral("done"))); }

private:
    QString contents(const char* name) const {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QTemporaryDir dir_;
    QByteArray path_;
};

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

    FakeOpener opener_;
    QPointer<About> about_;
    calibrix::test::ModalAnswerer boxes_; ///< answers every link-failure box, recording it

private Q_SLOTS:
    void cleanupTestCase() { delete about_; }

    // Every test starts from a shown, active window with the focus on OK.
    void init() {
        delete about_;
        request(about_);
        QVERIFY(QTest::qWaitForWindowActive(about_));
        boxes_.clear();
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
        const QByteArray name = file.toLatin1();
        QCOMPARE(calibrix::artworkSize(name.constData()), size);
        const QImage image = calibrix::artworkPixmap(name.constData(), size, 1).toImage();
        QCOMPARE(image.size(), size);
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
            about_->frameGeometry().center() - about_->screen()->availableGeometry().center();
        // Where the frame is not known yet, off by up to a frame's width.
        QVERIFY2(qAbs(offset.x()) <= 4 && qAbs(offset.y()) <= 4,
                 qPrintable(QStringLiteral("not centred on the screen: off by %1, %2")
                                .arg(offset.x())
                                .arg(offset.y())));
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
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
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
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address"); // what a failure tells the user
        QTest::addColumn<int>("exitCode");    // the opener's; -1: there is no opener
        const char* mail = "mailto:calibrix@example.org";
        const char* web = "http://www.example.org/simulations/simu_chem.html";
        struct Row {
            const char* tag;
            const char* label;
            const char* link;
            const char* address;
            int exitCode;
        };
        const Row rows[] = {
            {"mail opened", "Label4", mail, "calibrix@example.org", 0},
            {"web opened from the address", "Label5(0)", web, web, 0},
            {"web opened from the caption", "Label5(1)", web, web, 0},
            {"mail: no method available", "Label4", mail, "calibrix@example.org", 3},
            {"web: opener fails", "Label5(0)", web, web, 1},
            {"web: no opener", "Label5(1)", web, web, -1},
        };
        for (const Row& row : rows)
            QTest::newRow(row.tag) << row.label << row.link << row.address << row.exitCode;
    }

    // The opener gets the link as its one argument; only its failure shows the address, in a
    // modal box without an icon, and the About window stays shown.
    void links() {
        QFETCH(QString, label);
        QFETCH(QString, link);
        QFETCH(QString, address);
        QFETCH(int, exitCode);
        opener_.install(exitCode);
        QTest::mouseClick(control(about_, label.toLatin1().constData()), Qt::LeftButton);
        if (exitCode != 0) {
            QTRY_COMPARE(boxes_.count(), 1);
            const calibrix::test::Box& shown = boxes_.boxes().front();
            QVERIFY2(shown.text.contains(address), qPrintable(shown.text));
            QCOMPARE(shown.icon, QMessageBox::NoIcon);
            QCOMPARE(shown.modality, Qt::ApplicationModal);
        }
        if (exitCode >= 0) {
            QTRY_COMPARE(opener_.args(), QStringLiteral("1\n") + link + u'\n');
            QTRY_VERIFY(opener_.done());
        }
        if (exitCode == 0) {
            QTest::qWait(300); // time for a wrong box to show
            QCOMPARE(boxes_.count(), 0);
            QCOMPARE(QApplication::focusWidget(),
                     control(about_, "Clear")); // a click takes no focus
        }
        QVERIFY(about_->isVisible());
    }

    void linkKeys_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("link"); // empty: the key opens nothing
        const QString mail = QStringLiteral("mailto:calibrix@example.org");
        const QString web = QStringLiteral("http://www.example.org/simulations/simu_chem.html");
        for (const auto& [label, link] : {std::pair{"Label4", mail}, std::pair{"Label5(0)", web}}) {
            QTest::addRow("%s Return", label) << label << int(Qt::Key_Return) << link;
            QTest::addRow("%s Enter", label) << label << int(Qt::Key_Enter) << link;
            QTest::addRow("%s Space", label) << label << int(Qt::Key_Space) << link;
            QTest::addRow("%s Escape", label) << label << int(Qt::Key_Escape) << QString();
            QTest::addRow("%s A", label) << label << int(Qt::Key_A) << QString();
        }
    }

    // A link that has the focus opens with Enter or Space, as a click opens it.
    void linkKeys() {
        QFETCH(QString, label);
        QFETCH(int, key);
        QFETCH(QString, link);
        opener_.install(0);
        QWidget* focused = control(about_, label.toLatin1().constData());
        focused->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), focused);
        QTest::keyClick(focused, Qt::Key(key));
        if (link.isEmpty()) {
            QTest::qWait(300); // time for a wrong opener to start
            QCOMPARE(opener_.args(), QString());
        } else {
            QTRY_COMPARE(opener_.args(), QStringLiteral("1\n") + link + u'\n');
            QTRY_VERIFY(opener_.done());
        }
        QCOMPARE(boxes_.count(), 0);
        // Escape leaves the window, from a link as from anywhere in it.
        QCOMPARE(about_->isVisible(), key != Qt::Key_Escape);
    }

    // The window keeps working while the opener runs; its failure is reported when it ends.
    void openerDoesNotBlock() {
        opener_.install(3, true);
        QTest::mouseClick(control(about_, "Label4"), Qt::LeftButton);
        QTRY_VERIFY(!opener_.args().isEmpty());
        QTest::keyClick(control(about_, "Clear"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control(about_, "Label4"));
        QCOMPARE(boxes_.count(), 0);
        opener_.release();
        QTRY_COMPARE(boxes_.count(), 1);
        QVERIFY(boxes_.texts().front().contains(QStringLiteral("calibrix@example.org")));
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
