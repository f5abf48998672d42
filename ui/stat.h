#pragma once

#include "core/pointtable.h"
#include "core/readdata.h"
#include "core/samples.h"
#include "core/statistics.h"
#include "core/tablehistory.h"
#include "ui/statlayout.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <unordered_map>

class QAction;
class QLineEdit;
class QPoint;
class QTimer;

namespace calibrix {

class About;
class Samples;
class SpokenResults;

/// The main window: the point grid, the model and level options, the results and the plot.
class Stat : public QWidget {
    Q_OBJECT

public:
    explicit Stat(QWidget* parent = nullptr);
    ~Stat() override;

    /// The numbers of the last table read, and the highlighted row.
    const PointTable& table() const { return table_; }
    /// True while results and a complete plot are on screen (the marker may blink).
    bool resultsShown() const { return resultsshown_ != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    class Cells;

    /// The handlers a watched control's events run, each given the control's index.
    struct Target {
        void (Stat::*mouseMove)(int) = nullptr;
        void (Stat::*gotFocus)(int) = nullptr;
        void (Stat::*keyDown)(int, int) = nullptr;
        void (Stat::*click)(int) = nullptr;
        int index = 0;
    };

    void buildWindow();
    void buildControls();
    void buildAccessibility();
    void connectHandlers();
    void connectRow(int row);
    void watch(QWidget* control, const Target& target);
    void buildHistory();
    void buildMenus();
    void Form_Load();

    /// Runs `changes`, then one calculation: the cell changes a handler makes, and those the
    /// table read makes while it trims, do not each recalculate, so one user action reads the
    /// table once and shows at most one bad-value message.
    /// `typedCell`: the cell a keystroke changed, whose typing makes one undo step.
    template <class Changes>
    void userAction(Changes&& changes, std::optional<std::size_t> typedCell = std::nullopt);

    // Undo and redo.
    void stepTo(const std::optional<GridTexts>& texts);
    void cellMenu(QLineEdit* cell, const QPoint& at);

    // The calculation and what it writes.
    void Command1_Click();
    void calculate();
    void showRead(const TableRead& read);
    void vyvid();
    void showBadPoint(int row);

    // Grid editing.
    void TextX_Change(int row);
    void TextY_Change(int row);
    void TextX_GotFocus(int row);
    void TextY_GotFocus(int row);
    void TextX_KeyDown(int row, int key);
    void TextY_KeyDown(int row, int key);
    void moveFocus(Column column, int row, int key);
    void gotocell(Column column, int row);
    void delpoint_Click(int row);
    void Clear_Click();

    // Options, clipboard, windows.
    void Option1_Click(int index);
    void Option2_Click();
    void Option3_Click();
    void Label3_Click(int index);
    void Comcopy_Click();
    void Comcpaste_Click();
    void Command3_Click();
    void OpenSamples_Click();
    void CopyResults_Click();
    void CopyPlot_Click();
    void showSamples();
    void Command5_Click();
    void Form_Unload();

    // The highlighted point: the row under the mouse, or of the cell with the focus, blinks.
    void Timer1_Timer();
    void Form_MouseMove();
    void TextX_MouseMove(int row);
    void TextY_MouseMove(int row);
    void delpoint_MouseMove(int row);
    void Label1_MouseMove(int index);
    void Labl1_MouseMove(int index);
    void Text1_MouseMove(int);
    void Pict_MouseMove(int);

    Model model() const;
    int level() const;
    QLineEdit* cell(Column column, int row) const;

    PointTable table_;
    int resultsshown_ = 0;
    int blinkcolor_ = 0;
    bool busy_ = false;    ///< a user action is running; cell changes wait for its one calculation
    bool writing_ = false; ///< the program itself is writing a cell
    bool pending_ = false; ///< a change came from outside while the action's box was open
    std::optional<TableHistory> history_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    std::unique_ptr<Cells> cells_;
    std::unique_ptr<SpokenResults> spoken_; ///< results and plot as screen readers hear them
    StatControls ui_;
    QTimer* timer1_ = nullptr;
    std::unordered_map<const QObject*, Target> targets_; ///< what an event on a control runs
    QPointer<About> about_;
    QPointer<Samples> samples_;
    std::optional<Calibration> calibration_; ///< what the results show; nullopt while blank
    QAction* openSamples_ = nullptr;
    QAction* copyResults_ = nullptr;
    QAction* copyPlot_ = nullptr;
};

} // namespace calibrix
