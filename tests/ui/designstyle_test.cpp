#include "control.h"
#include "ui/about.h"
#include "ui/stat.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <map>
#include <memory>

using calibrix::About;
using calibrix::Stat;
using calibrix::test::child;

namespace {

// WCAG relative luminance and contrast ratio.
double luminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A control as its window draws it, background included.
QImage drawn(QWidget* control) {
    QWidget* window = control->window();
    return window->grab(QRect(control->mapTo(window, QPoint(0, 0)), control->size()))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The colour that covers most of `area`: a button's face.
QColor commonest(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

// The colour in `area` that stands out most from `ground`: the caption's ink.
QColor ink(const QImage& image, const QRect& area, const QColor& ground) {
    QColor best = ground;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (contrast(image.pixelColor(x, y), ground) > contrast(best, ground))
                best = image.pixelColor(x, y);
    return best;
}

// The styles people run: Qt's own, Debian's Adwaita pair, and a dark palette.
struct Look {
    const char* tag;
    const char* style; // nullptr: the one the application started with
    bool darkPalette;
};
const Look kLooks[] = {
    {"default", nullptr, false},
    {"Fusion", "Fusion", false},
    {"Windows", "Windows", false},
    {"Adwaita", "Adwaita", false},
    {"Adwaita-Dark", "Adwaita-Dark", false},
    {"dark palette", "Fusion", true},
};

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(50, 50, 50));
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

} // namespace

// Whatever style or palette the desktop sets, the captions of the picture buttons stay
// readable and the frames and option circles stay drawn.
class DesignStyleTest : public QObject {
    Q_OBJECT

    QString startStyle_;

    bool apply(const QString& tag) {
        for (const Look& look : kLooks) {
            if (tag != QLatin1String(look.tag))
                continue;
            const QString name = look.style ? QString::fromLatin1(look.style) : startStyle_;
            QStyle* style = QStyleFactory::create(name);
            if (style == nullptr)
                return false; // scripts/deps.sh installs the Adwaita styles
            QApplication::setStyle(style);
            QApplication::setPalette(look.darkPalette ? darkPalette() : style->standardPalette());
            return true;
        }
        return false;
    }

    void looks() {
        QTest::addColumn<QString>("look");
        for (const Look& look : kLooks)
            QTest::newRow(look.tag) << QString::fromLatin1(look.tag);
    }

private Q_SLOTS:
    void initTestCase() { startStyle_ = QApplication::style()->name(); }

    void captionsStayReadable_data() { looks(); }
    void captionsStayReadable() {
        QFETCH(QString, look);
        QVERIFY2(apply(look), qPrintable(look + QStringLiteral(" style is not installed")));
        Stat stat;
        std::unique_ptr<About> about(new About());
        stat.show();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(&stat));
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        struct Button {
            QWidget* window;
            const char* name;
            int captionLeft; // where the word starts in the artwork
        };
        const Button buttons[] = {
            {&stat, "Comcopy", 32},  {&stat, "Comcpaste", 31}, {&stat, "Clear", 34},
            {&stat, "Command3", 35}, {&stat, "Command5", 47},  {about.get(), "Clear", 41},
        };
        QStringList unreadable;
        for (const Button& b : buttons) {
            auto* button = child<QAbstractButton>(*b.window, QString::fromLatin1(b.name));
            const QImage image = drawn(button);
            const QRect inner = image.rect().adjusted(4, 4, -4, -4);
            const QSize icon = button->iconSize();
            const QPoint at((button->width() - icon.width()) / 2,
                            (button->height() - icon.height()) / 2);
            const QRect caption = QRect(at + QPoint(b.captionLeft, 0),
                                        QSize(icon.width() - b.captionLeft, icon.height()))
                                      .intersected(inner);
            const QColor face = commonest(image, caption);
            const double ratio = contrast(ink(image, caption, face), face);
            qInfo("%s %s/%s: face %s, caption contrast %.2f:1", qPrintable(look),
                  qPrintable(b.window->objectName()), b.name, qPrintable(face.name()), ratio);
            if (ratio < 4.5)
                unreadable << QString::fromLatin1(b.name);
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(u' ')));
    }

    void framesAndOptionsStayDrawn_data() { looks(); }
    void framesAndOptionsStayDrawn() {
        QFETCH(QString, look);
        QVERIFY2(apply(look), qPrintable(look + QStringLiteral(" style is not installed")));
        Stat stat;
        std::unique_ptr<About> about(new About());
        stat.show();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(&stat));
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        const QColor ground(224, 224, 224);
        // A visible line: some pixel in `area` at least 2:1 from the window's grey.
        auto lined = [&](const QImage& image, const QRect& area) {
            return contrast(ink(image, area, ground), ground) >= 2.0;
        };
        for (QWidget* window : {static_cast<QWidget*>(&stat), static_cast<QWidget*>(about.get())})
            for (const char* name : {"Frame1", "Frame2"}) {
                auto* frame = child<QGroupBox>(*window, QString::fromLatin1(name));
                const QImage image = drawn(frame);
                const int middle = image.height() / 2;
                QVERIFY2(lined(image, QRect(0, middle, 4, 1)), name);                 // left
                QVERIFY2(lined(image, QRect(image.width() - 4, middle, 4, 1)), name); // right
                QVERIFY2(lined(image, QRect(image.width() / 2, image.height() - 4, 1, 4)),
                         name); // bottom
            }
        for (const char* name : {"Option2", "Option3", "Option1(1)", "Option1(2)", "Option1(3)"}) {
            auto* option = child<QRadioButton>(stat, QString::fromLatin1(name));
            QStyleOptionButton opt;
            opt.initFrom(option);
            const QRect circle =
                option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, option);
            QVERIFY2(lined(drawn(option), circle), name);
        }
    }
};

QTEST_MAIN(DesignStyleTest)
#include "designstyle_test.moc"
