#include "control.h"
#include "ui/stat.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

using calibrix::Stat;
using calibrix::test::child;

// How the main window fits the desktop: screen readers, a comma locale, and a 2× screen (this
// test runs a second time with QT_SCALE_FACTOR=2).
class DesktopTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void screenReadersReachEveryControl_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const char* const pairs[][2] = {
            {"Comcopy", "Copy"},
            {"Comcpaste", "Paste"},
            {"Clear", "Clear all"},
            {"Command3", "About"},
            {"Command5", "Exit"},
            {"TextX(3)", "C, point 3"},
            {"TextY(3)", "MS, point 3"},
            {"TextY(25)", "MS, point 25"},
            {"delpoint(3)", "Delete point 3"},
            // A result field is said with its value: the sample's results at start.
            {"Laba", "a, 5.33333E-01"},
            {"Labda", "\u0394a, 3.488149"},
            {"Labb", "b, 9.903030"},
            {"Labdb", "\u0394b, 5.62166E-01"},
            {"Labnv", "detection limit, 6.28757E-01"},
            {"Labso", "standard deviation, 2.214279"},
            {"Labr", "correlation coefficient, 0.99758"},
            {"Option3", "MS = bC"},
            {"Option1(1)", "90 %"},
        };
        for (const auto& [control, name] : pairs)
            QTest::newRow(control) << QString::fromUtf8(control) << QString::fromUtf8(name);
    }
    void screenReadersReachEveryControl() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        Stat w;
        // The result names follow the results while a screen reader listens; one comes now.
        QAccessible::setActive(true);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child(w, control));
        QVERIFY(face != nullptr);
        QCOMPARE(face->text(QAccessible::Name), name);
    }

    void aCommaLocaleShowsAndCopiesCommas() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Stat w;
        QCOMPARE(static_cast<QLabel*>(child(w, "Labb"))->text(), QStringLiteral("  9,903030"));
        QCOMPARE(static_cast<QLabel*>(child(w, "Laba"))->text(), QStringLiteral("  5,33333E-01"));
        QTest::mouseClick(child(w, "Clear"), Qt::LeftButton);
        // Typing accepts both separators whatever the locale.
        const char* const rows[][2] = {{"1,5", "10"}, {"2.5", "20,25"}, {"3", "31"}};
        for (int i = 0; i < 3; ++i) {
            static_cast<QLineEdit*>(child(w, QStringLiteral("TextX(%1)").arg(i + 1)))
                ->setText(QString::fromLatin1(rows[i][0]));
            static_cast<QLineEdit*>(child(w, QStringLiteral("TextY(%1)").arg(i + 1)))
                ->setText(QString::fromLatin1(rows[i][1]));
        }
        QVERIFY(w.resultsShown());
        QTest::mouseClick(child(w, "Comcopy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("1,5\t10\r\n2,5\t20,25\r\n3\t31\r\n"));
    }

    void theWindowScalesWithTheScreen() {
        Stat w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const qreal ratio = w.devicePixelRatioF();
        const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
        QCOMPARE(ratio, scale.isEmpty() ? 1.0 : scale.toDouble());
        const QImage shot = w.grab().toImage();
        QCOMPARE(shot.size(), QSize(qRound(598 * ratio), qRound(482 * ratio)));
        // Artwork is drawn at the screen's resolution, not scaled up from a small bitmap.
        auto* copy = static_cast<QAbstractButton*>(child(w, "Comcopy"));
        const QSize size = copy->iconSize();
        QCOMPARE(size, QSize(71, 28));
        const QImage sharp = copy->icon().pixmap(size, 2.0).toImage();
        QCOMPARE(sharp.size(), size * 2);
        const QImage blown = copy->icon().pixmap(size, 1.0).toImage().scaled(size * 2);
        QVERIFY(sharp.convertToFormat(QImage::Format_ARGB32) !=
                blown.convertToFormat(QImage::Format_ARGB32));
        // Fonts keep their size relative to the window.
        auto* labb = static_cast<QLabel*>(child(w, "Labb"));
        QCOMPARE(labb->font().pixelSize(), 13);
        QCOMPARE(labb->height(), 17);
        QDir().mkpath(QStringLiteral("screenshots"));
        QVERIFY(shot.save(QStringLiteral("screenshots/stat-%1x.png").arg(ratio)));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
