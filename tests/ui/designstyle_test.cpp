#include "control.h"
#include "ui/about.h"
#include "ui/stat.h"

#include <QAbstractButton>
#include <QApplication>
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

// WCAG contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A control as its window draws it, background included.
QImage drawn(QWidget* control) {
    QWidget* window = control->window();
    const QRect at(control->mapTo(window, QPoint(0, 0)), control->size());
    return window->grab(at).toImage().convertToFormat(QImage::Format_RGB32);
}

// The colour that covers most of `area`: the face behind a caption.
QColor commonest(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

// The strongest contrast to `ground` in `area`: a caption's ink, or a drawn line.
double standout(const QImage& image, const QRect& area, const QColor& ground) {
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, contrast(image.pixelColor(x, y), ground));
    return best;
}

} // namespace

// Whatever style or palette the desktop sets, the captions of the picture buttons stay
// readable and the frames and option circles stay drawn.
class DesignStyleTest : public QObject {
    Q_OBJECT

    QString startStyle_;

private Q_SLOTS:
    void initTestCase() { startStyle_ = QApplication::style()->name(); }

    void looks_data() {
        QTest::addColumn<QString>("style"); // empty: the one the application started with
        QTest::addColumn<bool>("dark");     // a dark palette over the style
        QTest::newRow("default") << QString() << false;
        QTest::newRow("Fusion") << "Fusion" << false;
        QTest::newRow("Adwaita") << "Adwaita" << false;
        QTest::newRow("Adwaita-Dark") << "Adwaita-Dark" << false;
        QTest::newRow("dark palette") << "Fusion" << true;
    }

    void looks() {
        QFETCH(QString, style);
        QFETCH(bool, dark);
        QStyle* chosen = QStyleFactory::create(style.isEmpty() ? startStyle_ : style);
        QVERIFY2(chosen != nullptr, "style not installed; scripts/deps.sh installs it");
        QApplication::setStyle(chosen);
        QPalette palette = chosen->standardPalette();
        if (dark)
            for (auto [role, colour] : {std::pair{QPalette::Window, QColor(45, 45, 45)},
                                        {QPalette::Button, QColor(50, 50, 50)},
                                        {QPalette::Base, QColor(30, 30, 30)},
                                        {QPalette::WindowText, QColor(Qt::white)},
                                        {QPalette::ButtonText, QColor(Qt::white)},
                                        {QPalette::Text, QColor(Qt::white)}})
                palette.setColor(role, colour);
        QApplication::setPalette(palette);
        Stat stat;
        std::unique_ptr<About> about(new About());
        stat.show();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(&stat));
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));

        // Each caption, the word right of the picture's icon, at least 4.5:1 on its face.
        struct Button {
            QWidget* window;
            const char* name;
            int captionLeft; // where the word starts in the artwork
        };
        const Button buttons[] = {
            {&stat, "Comcopy", 32},  {&stat, "Comcpaste", 31}, {&stat, "Clear", 34},
            {&stat, "Command3", 35}, {&stat, "Command5", 47},  {about.get(), "Clear", 41},
        };
        QStringList faults;
        for (const Button& b : buttons) {
            auto* button = child<QAbstractButton>(*b.window, QString::fromLatin1(b.name));
            const QImage image = drawn(button);
            const QSize icon = button->iconSize();
            const QPoint at((button->width() - icon.width()) / 2,
                            (button->height() - icon.height()) / 2);
            const QRect caption =
                QRect(at + QPoint(b.captionLeft, 0), icon - QSize(b.captionLeft, 0))
                    .intersected(image.rect().adjusted(4, 4, -4, -4));
            const QColor face = commonest(image, caption);
            const double ratio = standout(image, caption, face);
            qInfo("%s/%s: face %s, caption %.2f:1", qPrintable(b.window->objectName()), b.name,
                  qPrintable(face.name()), ratio);
            if (ratio < 4.5)
                faults << QStringLiteral("caption of %1").arg(QLatin1String(b.name));
        }

        // Frames show their left, right and bottom lines, options their circles, at least
        // 2:1 against the window's grey.
        const QColor grey(224, 224, 224);
        for (QWidget* window : {static_cast<QWidget*>(&stat), static_cast<QWidget*>(about.get())})
            for (const char* name : {"Frame1", "Frame2"}) {
                const QImage image = drawn(child(*window, QString::fromLatin1(name)));
                const int w = image.width(), h = image.height();
                const std::pair<const char*, QRect> edges[] = {
                    {"left", QRect(0, h / 2, 4, 1)},
                    {"right", QRect(w - 4, h / 2, 4, 1)},
                    {"bottom", QRect(w / 2, h - 4, 1, 4)}};
                for (const auto& [edge, area] : edges)
                    if (standout(image, area, grey) < 2)
                        faults << QStringLiteral("%1 of %2's %3")
                                      .arg(QLatin1String(edge), window->objectName(),
                                           QLatin1String(name));
            }
        for (const char* name : {"Option2", "Option3", "Option1(1)", "Option1(2)", "Option1(3)"}) {
            auto* option = child<QRadioButton>(stat, QString::fromLatin1(name));
            QStyleOptionButton opt;
            opt.initFrom(option);
            const QRect circle =
                option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, option);
            if (standout(drawn(option), circle, grey) < 2)
                faults << QString::fromLatin1(name);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(DesignStyleTest)
#include "designstyle_test.moc"
