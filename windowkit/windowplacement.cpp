#include "windowkit/windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace calibrix {
namespace {

// How long after the first show a window manager's frame may arrive and still move the
// window: later, the user may have placed it.
constexpr int frameWaitMs = 3000;

void centre(QWidget& window, const QMargins& frame) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    QRect outer(QPoint(0, 0), window.size().grownBy(frame));
    outer.moveCenter(screen->availableGeometry().center());
    window.setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window.size()));
}

// Watches a window from its first show until the window manager has framed it (it reparents
// the window and reports its frame's extents some events later), then centres the frame once.
class FrameCentring final : public QObject {
public:
    explicit FrameCentring(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            if (!started_) {
                started_ = true;
                QTimer::singleShot(frameWaitMs, this, &QObject::deleteLater);
            }
            break;
        case QEvent::Move:
        case QEvent::Paint:
        case QEvent::WindowActivate:
            if (started_ && window_->windowHandle() != nullptr) {
                const QMargins frame = window_->windowHandle()->frameMargins();
                if (!frame.isNull()) {
                    window_->removeEventFilter(this);
                    centre(*window_, frame);
                    deleteLater();
                }
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    QWidget* window_;
    bool started_ = false;
};

} // namespace

void centreOnScreen(QWidget* window) {
    centre(*window, QMargins());
    // A Wayland compositor places windows itself; only a window manager on X11 takes our place.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        new FrameCentring(window);
}

} // namespace calibrix
