// Times one keystroke in a cell: the digit typed, the whole recalculation, and the repaint of
// the results and the plot. The time is split where a screen reader takes its share: Qt first
// offers each key to the screen reader over the accessibility bus and hands it to the cell only
// when the answer comes; from there on the time is the program's own.
//   KEYS      keystrokes to time (default 2000)
//   PACE_MS   pause before each keystroke, as a typist leaves (default 0: back to back)
//   BARE      1: time a bare line edit instead (no results, no plot)
#include "ui/stat.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

/// Notes when a widget last received an event of one type, and how often.
class EventClock final : public QObject {
public:
    explicit EventClock(QEvent::Type type) : type_(type) {}
    int count = 0;
    Clock::time_point last; ///< when the last one arrived

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == type_) {
            ++count;
            last = Clock::now();
        }
        return false;
    }

private:
    QEvent::Type type_;
};

/// Notes when the window has been painted and put on the screen: the end of its repaint request,
/// in which Qt paints every changed widget and flushes the window. Work the program leaves for
/// after that moment is not counted.
class FlushClock final : public QApplication {
public:
    using QApplication::QApplication;
    QObject* window = nullptr;
    Clock::time_point flushed;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool repaint = receiver == window && event->type() == QEvent::UpdateRequest;
        const bool handled = QApplication::notify(receiver, event);
        if (repaint)
            flushed = Clock::now();
        return handled;
    }
};

double percentile(std::vector<double> values, int percent) {
    std::sort(values.begin(), values.end());
    return values[values.size() * static_cast<std::size_t>(percent) / 100];
}

int setting(const char* name, int otherwise) {
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : otherwise;
}

} // namespace

int main(int argc, char* argv[]) {
    FlushClock app(argc, argv);
    const int keystrokes = setting("KEYS", 2000);
    const int pace = setting("PACE_MS", 0);
    // BARE=1: a window of one line edit and nothing else, for the screen reader's turn alone.
    const bool bare = setting("BARE", 0) != 0;
    std::unique_ptr<QWidget> window(bare ? new QWidget : new calibrix::Stat);
    auto* cell = bare ? new QLineEdit(QStringLiteral("12"), window.get())
                      : window->findChild<QLineEdit*>(QStringLiteral("TextY(5)"));
    app.window = window.get();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return 1;
    // SAMPLES=1: the sample window open beside it with all 25 rows filled, each recalculated
    // and marked on the plot with every keystroke.
    if (!bare && setting("SAMPLES", 0) != 0) {
        window->findChild<QAction*>(QStringLiteral("OpenSamples"))->trigger();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("Samples"))
                for (int row = 1; row <= 25; ++row)
                    top->findChild<QLineEdit*>(QStringLiteral("SampleMS(%1)").arg(row))
                        ->setText(QString::number(10 + 3 * row));
        window->activateWindow();
    }
    cell->setFocus();
    cell->end(false);
    QApplication::processEvents();

    EventClock plotPaints(QEvent::Paint);
    (bare ? cell : window->findChild<QWidget*>(QStringLiteral("Pict")))
        ->installEventFilter(&plotPaints);
    EventClock keys(QEvent::KeyPress);
    cell->installEventFilter(&keys);
    std::vector<double> total, offered, own;
    int lost = 0;
    for (int i = 0; i < keystrokes; ++i) {
        if (pace > 0)
            QTest::qWait(pace);
        // Alternate a digit and its deletion so the table stays the same size.
        const int paints = plotPaints.count, pressed = keys.count;
        const auto start = Clock::now();
        QTest::keyClick(cell, i % 2 == 0 ? Qt::Key_7 : Qt::Key_Backspace);
        // Wait, at most a second, until the cell has the key and the plot is painted after it.
        const auto done = [&] {
            return keys.count > pressed && plotPaints.count > paints &&
                   plotPaints.last > keys.last && app.flushed > plotPaints.last;
        };
        while (!done() && Clock::now() - start < std::chrono::seconds(1))
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!done()) {
            ++lost;
            continue;
        }
        const auto end = app.flushed;
        using Us = std::chrono::duration<double, std::micro>;
        total.push_back(Us(end - start).count());
        offered.push_back(Us(keys.last - start).count());
        own.push_back(Us(end - keys.last).count());
    }
    if (total.empty() || (!bare && !static_cast<calibrix::Stat*>(window.get())->resultsShown()))
        return 1;
    std::printf(
        "%s%skeystroke to repainted results and plot: median %.1f us, p90 %.1f us "
        "(%zu keystrokes, %d not done within 1 s, pause %d ms; target median <= 1000 us)\n"
        "  until the cell has the key (the screen reader's turn): median %.1f us, p90 %.1f us\n"
        "  from the cell's key to the window painted (the program's own): median %.1f us, "
        "p90 %.1f us\n",
        bare ? "bare line edit: " : "", setting("SAMPLES", 0) != 0 ? "with 25 samples: " : "",
        percentile(total, 50), percentile(total, 90), total.size(), lost, pace,
        percentile(offered, 50), percentile(offered, 90), percentile(own, 50), percentile(own, 90));
    return 0;
}
