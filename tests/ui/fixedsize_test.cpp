#include "ui/about.h"
#include "windowkit/fixedsize.h"
#include "windowkit/messagebox.h"
#include "windowkit/windowplacement.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

Q_DECLARE_METATYPE(Qt::WindowState)

// Fixed-size windows against the desktop's requests, their placement, and the message boxes'
// look, on the offscreen platform.
class FixedSizeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { calibrix::keepFixedSizeWindowsFixed(); }

    void centredGeometry_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("no frame") << QSize(598, 482) << QMargins() << QRect(0, 0, 1280, 1024)
                                  << QRect(341, 271, 598, 482);
        // metacity's frame: the title bar counts, so the client area sits lower.
        QTest::newRow("title bar") << QSize(560, 328) << QMargins(1, 37, 1, 1)
                                   << QRect(0, 0, 1280, 1024) << QRect(360, 366, 560, 328);
        // IceWM's task bar takes the bottom of the screen.
        QTest::newRow("panel") << QSize(560, 328) << QMargins(5, 24, 5, 5) << QRect(0, 0, 1280, 998)
                               << QRect(360, 344, 560, 328);
        QTest::newRow("second screen") << QSize(100, 50) << QMargins(2, 2, 2, 2)
                                       << QRect(1280, 100, 800, 600) << QRect(1630, 375, 100, 50);
    }
    void centredGeometry() {
        QFETCH(QSize, client);
        QFETCH(QMargins, frame);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(calibrix::centredGeometry(client, frame, available), expected);
    }

    // A desktop that maximises a fixed-size window or fills the screen with it gets the
    // normal state back, and the window its size; a resizable window is left as it was put.
    void largeStatesAreUndone_data() {
        QTest::addColumn<Qt::WindowState>("state");
        QTest::addColumn<bool>("fixedSize");
        QTest::newRow("maximised") << Qt::WindowMaximized << true;
        QTest::newRow("full screen") << Qt::WindowFullScreen << true;
        QTest::newRow("resizable, maximised") << Qt::WindowMaximized << false;
    }
    void largeStatesAreUndone() {
        QFETCH(Qt::WindowState, state);
        QFETCH(bool, fixedSize);
        QWidget window;
        if (fixedSize)
            window.setFixedSize(300, 200);
        else
            window.resize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.windowHandle()->setWindowStates(state);
        if (fixedSize) {
            QTRY_VERIFY_WITH_TIMEOUT(!(window.windowState() & state), 3000);
            QTRY_COMPARE_WITH_TIMEOUT(window.size(), QSize(300, 200), 3000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(window.windowState() & state, 3000);
            QTest::qWait(200);
            QVERIFY(window.windowState() & state);
        }
    }

    // A desktop that maximises the window again after every restore gets a few restores, and
    // then the window gives in: no endless exchange.
    void anInsistingDesktopGetsItsWay() {
        QWidget window;
        window.setFixedSize(300, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int restores = 0;
        QWindow* native = window.windowHandle();
        connect(native, &QWindow::windowStateChanged, this,
                [&restores, native, last = Qt::WindowMaximized](Qt::WindowState s) mutable {
                    const bool restored = s == Qt::WindowNoState && last != Qt::WindowNoState;
                    last = s;
                    if (!restored)
                        return;
                    ++restores;
                    QTimer::singleShot(0, native,
                                       [native] { native->setWindowStates(Qt::WindowMaximized); });
                });
        native->setWindowStates(Qt::WindowMaximized);
        QTest::qWait(1000);
        const int settled = restores;
        QVERIFY2(settled >= 1 && settled <= 3, qPrintable(QString::number(settled)));
        QTest::qWait(500);
        QCOMPARE(restores, settled);
        QVERIFY(window.windowState() & Qt::WindowMaximized);
    }

    // OK hides the About window; each new show puts it back where it was left: in the middle
    // until the user moves it, with no drift, and where the user put it after that.
    void aboutReturnsWhereItWasLeft() {
        std::unique_ptr<calibrix::About> about(new calibrix::About());
        // The frame is centred where the platform knows it (Windows), else the window.
        const auto centred = [&about] {
            return calibrix::centredGeometry(about->size(), about->windowHandle()->frameMargins(),
                                             about->screen()->availableGeometry());
        };
        for (int shown = 0; shown < 3; ++shown) {
            about->show();
            QVERIFY(QTest::qWaitForWindowExposed(about.get()));
            QCOMPARE(about->geometry(), centred());
            about->hide();
        }
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        QTest::qWait(100); // a user moves a window that has been on screen for a moment
        about->move(10, 20);
        QTest::qWait(100);
        const QRect moved = about->geometry();
        QVERIFY(moved != centred());
        about->hide();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        QTest::qWait(100);
        QCOMPARE(about->geometry(), moved);
    }

    // Message boxes keep the windows' grey with dark words, and Qt's plain style on every
    // button, whatever the desktop's style and palette.
    void messageBoxesTakeTheDesignLook_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("dark");
        QTest::newRow("Fusion") << "Fusion" << false;
        QTest::newRow("Adwaita-Dark") << "Adwaita-Dark" << false;
        QTest::newRow("dark Fusion palette") << "Fusion" << true;
    }
    void messageBoxesTakeTheDesignLook() {
        QFETCH(QString, style);
        QFETCH(bool, dark);
        QStyle* chosen = QStyleFactory::create(style);
        QVERIFY2(chosen != nullptr, "style not installed; scripts/deps.sh installs it");
        QApplication::setStyle(chosen);
        QPalette palette = chosen->standardPalette();
        if (dark)
            for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
                palette.setColor(role, QColor(45, 45, 45));
        if (dark)
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
                palette.setColor(role, Qt::white);
        QApplication::setPalette(palette);

        QMessageBox box;
        calibrix::prepareMessageBox(box, QStringLiteral("title"), QStringLiteral("text"));
        // Buttons a caller sets after the preparation count too.
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QVERIFY(box.palette().color(QPalette::WindowText).lightness() < 64);
        const auto buttons = box.findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 2);
        for (QPushButton* button : buttons) {
            QCOMPARE(button->style()->name(), QStringLiteral("windows"));
            QVERIFY(button->palette().color(QPalette::ButtonText).lightness() < 64);
            QVERIFY(button->palette().color(QPalette::Button).lightness() > 192);
        }
        box.close();
    }
};

QTEST_MAIN(FixedSizeTest)
#include "fixedsize_test.moc"
