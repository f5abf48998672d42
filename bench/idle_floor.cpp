// The floor for the idle cost: a bare Qt window that repaints one 5 × 5 square ten times a second,
// as the blinking marker does, and nothing else. Measure it with idle_bench.sh beside Calibrix.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Blinker final : public QWidget {
public:
    void toggle() {
        white_ = !white_;
        update(100, 100, 5, 5);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), white_ ? Qt::white : QColor(0, 0, 128));
    }

private:
    bool white_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Blinker w;
    w.resize(598, 482);
    w.show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &w, &Blinker::toggle);
    tick.start(100);
    return app.exec();
}
