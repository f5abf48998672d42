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

// Centres a window, frame included, each time the program shows it. A window manager frames
// the window some events after it is mapped, and may place it where it likes meanwhile (some,
// metacity among them, take the position a hidden window kept for its frame's, so that each
// new show would creep by a title bar), so the frame is centred once the window manager has
// reported it. Each show starts from the screen, never from where the window was. Once the
// window has stood where the program put it, a move is the user's, and the window stays there.
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
                    window_->setGeometry(centredOnScreen(*window_, handle->frameMargins()));
                deadline_.start();
            }
            break;
        case QEvent::Move:
        case QEvent::Paint:
        case QEvent::WindowActivate:
            if (watching())
                centreFrame();
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

    void centreFrame() {
        const QMargins frame = window_->windowHandle()->frameMargins();
        if (frame.isNull())
            return;
        const QRect wanted = centredOnScreen(*window_, frame);
        if (window_->geometry() == wanted) {
            placed_ = true;
            return;
        }
        if (placed_) {
            deadline_.invalidate(); // the user's place from now on
            return;
        }
        ++moves_;
        window_->setGeometry(wanted);
    }

    QWidget* window_;
    QElapsedTimer deadline_;
    int moves_ = 0;
    bool placed_ = false; ///< the window has stood centred, frame included, since the show
};

} // namespace

void centreOnScreen(QWidget* window) {
    window->setGeometry(centredOnScreen(*window, QMargins()));
    // A Wayland compositor places windows itself; only a window manager on X11 takes our place.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        new FrameCentring(window);
}

} // namespace calibrix
