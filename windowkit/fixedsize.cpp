#include "windowkit/fixedsize.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace calibrix {
namespace {

constexpr Qt::WindowStates largeStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// On Wayland the title bar belongs to the program: Qt's decoration offers a maximise button on
// every window, and a compositor that maximises a window must get a surface of exactly the
// configured size, or it ends the connection and with it the program. A fixed-size window
// therefore tells the compositor no maximum size, takes the configured size for the moment it
// is maximised, and at once asks to be restored; the restore gives back its own size. Window
// managers on X11 honour the size constraints themselves, so there nothing changes.
class FixedSizeGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window == nullptr || !window->isWindow())
            return false;
        // A message box fixes its size while it shows, so look once the show is done.
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, window, [window] {
                if (fixed(*window) && window->windowHandle() != nullptr)
                    window->windowHandle()->setMaximumSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            });
        if (event->type() == QEvent::WindowStateChange && fixed(*window) &&
            (window->windowState() & largeStates))
            QTimer::singleShot(0, window, [window] {
                window->setWindowState(window->windowState() & ~largeStates);
            });
        return false;
    }

private:
    static bool fixed(const QWidget& window) {
        return window.minimumSize() == window.maximumSize();
    }
};

} // namespace

void keepFixedSizeWindowsFixed() {
    static bool installed = false;
    if (installed || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    installed = true;
    qApp->installEventFilter(new FixedSizeGuard(qApp));
}

} // namespace calibrix
