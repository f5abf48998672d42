#include "windowkit/fixedsize.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace calibrix {
namespace {

constexpr Qt::WindowStates largeStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// How long a Wayland window stays free to take another size after asking to be maximised: a
// compositor that refuses answers at once, and for no longer may it see a resizable window.
constexpr int pendingMs = 1000;

// A desktop that maximises the window again after each restore gets this many restores in
// this time, then its way: a window that gives in is left alone, and nothing ping-pongs.
constexpr int maxRestores = 3;
constexpr qint64 restoresMs = 2000;

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool fixed(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

bool lifted(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->maximumSize() != window.maximumSize();
}

// Gives the native window the widget's own limits again, and the widget its size.
void fixAgain(QWidget& window) {
    if (QWindow* handle = window.windowHandle()) {
        handle->setMinimumSize(window.minimumSize());
        handle->setMaximumSize(window.maximumSize());
    }
    if (window.size() != window.minimumSize())
        window.resize(window.minimumSize());
}

// A fixed-size window tells the desktop so (minimum size equal to maximum): sway floats it,
// KWin and mutter offer no maximise or tiling, openbox refuses a maximise. Some desktops
// maximise or fill the screen with it all the same, xfwm4 and IceWM on a full-screen request,
// and Qt's own title bar on Weston or mutter asks to be maximised itself. Such a window goes
// back to the normal state at once and gets its size back.
//
// A Wayland compositor that maximises a window demands a surface of exactly the configured
// size, or ends the connection, and Qt shrinks every size it is given to the window's limits.
// So while its own maximise or full-screen request is answered, and only then, the window
// may take any size; once it is normal again its limits are fixed again. Both the title bar's
// request and the shrinking are those of Qt 6.4.2's Wayland plugin (qt6-wayland 6.4.2).
class FixedSizeGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window == nullptr || !window->isWindow())
            return false;
        if (event->type() == QEvent::Show && onWayland())
            watchRequests(*window);
        // Only the desktop's own state changes count: the program's request to be restored is
        // answered later, and until then the window must keep the size it was configured to.
        if (event->type() == QEvent::WindowStateChange && event->spontaneous() && fixed(*window)) {
            QPointer<QWidget> guarded(window);
            QTimer::singleShot(0, this, [guarded] {
                if (guarded.isNull())
                    return;
                if (guarded->windowState() & largeStates) {
                    if (!mayRestore(*guarded))
                        return;
                    restoring(*guarded);
                    guarded->setWindowState(guarded->windowState() & ~largeStates);
                } else {
                    fixAgain(*guarded);
                }
            });
        }
        // Some platforms answer the restore with no state change of their own, only with a
        // size: Windows (under Wine) gives back the size with the frame taken off it.
        if (event->type() == QEvent::Resize && window->property(restoringProperty).toBool() &&
            fixed(*window) && !(window->windowState() & largeStates) &&
            window->size() != window->minimumSize()) {
            QPointer<QWidget> guarded(window);
            QTimer::singleShot(0, this, [guarded] {
                if (!guarded.isNull() && !(guarded->windowState() & largeStates))
                    fixAgain(*guarded);
            });
        }
        // Back at its size in the normal state: the compositor has answered the restore.
        if (event->type() == QEvent::Resize && lifted(*window) &&
            !(window->windowState() & largeStates) && window->size() == window->minimumSize())
            fixAgain(*window);
        return false;
    }

private:
    // Whether the desktop has had fewer than maxRestores restores of this window lately; if
    // so, this one is counted.
    static bool mayRestore(QWidget& window) {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        const qint64 now = clock.elapsed();
        QList<qint64> times = window.property(restoresProperty).value<QList<qint64>>();
        times.removeIf([now](qint64 at) { return now - at > restoresMs; });
        const bool may = times.size() < maxRestores;
        if (may)
            times.append(now);
        window.setProperty(restoresProperty, QVariant::fromValue(times));
        return may;
    }

    // For a while after the program asked for the normal state, a size other than the fixed
    // one is the restore's answer, and is mended.
    static void restoring(QWidget& window) {
        window.setProperty(restoringProperty, true);
        QPointer<QWidget> guarded(&window);
        QTimer::singleShot(pendingMs, &window, [guarded] {
            if (!guarded.isNull())
                guarded->setProperty(restoringProperty, false);
        });
    }

    // The native window tells of its own request before it goes out, the widget only of the
    // compositor's answer; so the limits are lifted from the native window's signal.
    void watchRequests(QWidget& window) {
        QWindow* handle = window.windowHandle();
        if (handle == nullptr || handle->property(watchedProperty).toBool())
            return;
        handle->setProperty(watchedProperty, true);
        QPointer<QWidget> guarded(&window);
        connect(handle, &QWindow::windowStateChanged, this, [guarded](Qt::WindowState state) {
            if (guarded.isNull() || !fixed(*guarded) ||
                !(state & (Qt::WindowMaximized | Qt::WindowFullScreen)))
                return;
            // Only a window whose title bar Qt draws asks for this itself; where the
            // compositor draws it (sway, KWin) the state comes with its configure, which Qt has
            // already met at the fixed size, and the fixed limits stay.
            QWindow* native = guarded->windowHandle();
            if (native->frameMargins().isNull())
                return;
            native->setMinimumSize(QSize(0, 0));
            native->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            // A compositor that refuses the request sends no maximised state to undo.
            QTimer::singleShot(pendingMs, guarded, [guarded] {
                if (!(guarded->windowState() & largeStates))
                    fixAgain(*guarded);
            });
        });
    }

    static constexpr const char* watchedProperty = "calibrixFixedSizeWatched";
    static constexpr const char* restoringProperty = "calibrixFixedSizeRestoring";
    static constexpr const char* restoresProperty = "calibrixFixedSizeRestores";
};

} // namespace

void keepFixedSizeWindowsFixed() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    qApp->installEventFilter(new FixedSizeGuard(qApp));
}

} // namespace calibrix
