#include "windowkit/windowplacement.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace calibrix {
namespace {

// How long after a show a window manager's frame may arrive and still move the window: later,
// the user may have placed it.
constexpr int frameWaitMs = 3000;

// A window manager that fights the placement gets no more moves than this in one show.
constexpr int maxMoves = 3;

} // namespace

QRect centredGeometry(QSize client, const QMargins& frame, const QRect& available) {
    QRect outer(QPoint(0, 0), client.grownBy(frame));
    outer.moveCenter(available.center());
    return QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), client);
}

namespace {

QRect centredOnScreen(const QWidget& window, const QMargins& frame) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return window.geometry();
    return centredGeometry(window.size(), frame, screen->availableGeometry());
}

// Places a window each time the program shows it: centred, frame included, the first time,
// and where it was left every later time. A window manager frames the window some events after
// it is mapped, and may place it where it likes meanwhile (some, metacity among them, take the
// position a hidden window kept for its frame's, so that each new show would creep by a title
// bar), so the window is put back in its place once the window manager has reported the frame.
// Once the window has stood in its place, a move is the user's: the window stays there, and
// comes back there on its next show.
class FrameCentring final : public QObject {
public:
    explicit FrameCentring(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
            // A spontaneous show is the desktop's own, as after a minimise: the user's place.
            if (!event->spontaneous()) {
                moves_ = 0;
                placed_ = false;
                if (const QWindow* handle = window_->windowHandle())
                    window_->setGeometry(place(handle->frameMargins()));
                deadline_.start();
            }
            break;
        case QEvent::Hide:
            if (!event->spontaneous() && placed_)
                left_ = window_->geometry();
            break;
        case QEvent::Move:
        case QEvent::Paint:
        case QEvent::WindowActivate:
            if (watching())
                settle();
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool watching() const {
        return deadline_.isValid() && deadline_.elapsed() < frameWaitMs && moves_ < maxMoves &&
               window_->windowHandle() != nullptr;
    }

    QRect place(const QMargins& frame) const {
        return left_.isValid() ? left_ : centredOnScreen(*window_, frame);
    }

    void settle() {
        const QMargins frame = window_->windowHandle()->frameMargins();
        if (frame.isNull())
            return;
        const QRect wanted = place(frame);
        if (window_->geometry() == wanted) {
            placed_ = true;
            return;
        }
        if (placed_) {
            deadline_.invalidate(); // moved by the user: that is its place now
            return;
        }
        ++moves_;
        window_->setGeometry(wanted);
    }

    QWidget* window_;
    QElapsedTimer deadline_;
    int moves_ = 0;
    bool placed_ = false; ///< the window has stood in its place since the show
    QRect left_;          ///< where the window was when the program last hid it
};

} // namespace

void centreOnScreen(QWidget* window) {
    window->setGeometry(centredOnScreen(*window, QMargins()));
    // A Wayland compositor places windows itself; only a window manager on X11 takes our place.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        new FrameCentring(window);
}

} // namespace calibrix
