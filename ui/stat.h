#pragma once

#include "core/pointtable.h"
#include "core/readdata.h"
#include "core/statistics.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <unordered_map>

class QLabel;
class QLineEdit;
class QAbstractButton;
class QRadioButton;
class QTimer;

namespace calibrix {

class About;
class PlotView;

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

private:
    class Cells;

    /// What events on a control mean: a data cell, a control whose mouse moves set the
    /// highlighted row, or a significance caption that selects its level.
    struct Target {
        enum class Kind { Cell, Hover, Level } kind;
        Column column;
        int row; ///< the cell's row, the row a mouse move highlights (0: none), or the level
    };

    void buildControls();
    void connectHandlers();
    void watch(QWidget* control, Target target);
    void Form_Load();

    /// Runs `changes`, then one calculation: the cell changes a handler makes, and those the
    /// table read makes while it trims, do not each recalculate, so one user action reads the
    /// table once and shows at most one bad-value message.
    template <class Changes> void userAction(Changes&& changes);

    // The calculation and what it writes.
    void Command1_Click();
    void calculate();
    void vyvid();
    void showBadPoint(int row);

    // Grid editing.
    void cellChanged();
    void cellKeyDown(Column column, int row, int key);
    void gotocell(Column column, int row);
    void delpoint_Click(int row);
    void Clear_Click();

    // Options, clipboard, windows, blinking.
    void optionClicked();
    void Label3_Click(int index);
    void Comcopy_Click();
    void Comcpaste_Click();
    void Command3_Click();
    void Command5_Click();
    void Timer1_Timer();

    Model model() const;
    int level() const;
    QLineEdit* cell(Column column, int row) const;

    PointTable table_;
    int resultsshown_ = 0;
    int blinkcolor_ = 15;
    bool busy_ = false; ///< a user action is running; cell changes wait for its one calculation
    std::unique_ptr<Cells> cells_;
    std::unordered_map<const QObject*, Target> targets_; ///< what an event on a control means

    std::array<QLineEdit*, maxpoints + 1> textX_{};
    std::array<QLineEdit*, maxpoints + 1> textY_{};
    std::array<QLabel*, maxpoints + 1> label1_{};
    std::array<QAbstractButton*, maxpoints + 1> delpoint_{};
    std::array<QRadioButton*, 4> option1_{};
    std::array<QLabel*, 4> label3_{};
    QRadioButton* option2_ = nullptr;
    QRadioButton* option3_ = nullptr;
    QLabel* laba_ = nullptr;
    QLabel* labda_ = nullptr;
    QLabel* labb_ = nullptr;
    QLabel* labdb_ = nullptr;
    QLabel* labnv_ = nullptr;
    QLabel* labso_ = nullptr;
    QLabel* labr_ = nullptr;
    PlotView* pict_ = nullptr;
    QTimer* timer1_ = nullptr;
    QPointer<About> about_;
};

} // namespace calibrix
