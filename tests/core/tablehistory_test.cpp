#include "core/tablehistory.h"
#include "tests/core/fakegrid.h"

#include <gtest/gtest.h>

namespace calibrix {
namespace {

using fake::FakeGrid;

// The table's texts with one cell changed.
GridTexts with(GridTexts texts, Column column, int row, const std::string& text) {
    texts[gridSlot(column, row)] = text;
    return texts;
}

TEST(TableHistory, UndoAndRedoWalkTheActions) {
    const GridTexts start = gridTexts(FakeGrid(fake::samplecells()));
    const GridTexts cleared{};
    const GridTexts pasted = with(cleared, Column::C, 1, "5");
    TableHistory history(start);
    EXPECT_FALSE(history.canUndo());
    history.record(start); // a recalculation that changed nothing is no step
    EXPECT_FALSE(history.canUndo());
    history.record(cleared);
    history.record(pasted);
    EXPECT_EQ(history.undo(), cleared);
    EXPECT_EQ(history.undo(), start);
    EXPECT_EQ(history.undo(), std::nullopt);
    EXPECT_EQ(history.redo(), cleared);
    // A new action after an undo ends the redo.
    const GridTexts typed = with(cleared, Column::MS, 3, "7");
    history.record(typed);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(), cleared);
    EXPECT_EQ(history.redo(), typed);
}

TEST(TableHistory, TypingInOneCellIsOneStep) {
    const GridTexts start{};
    TableHistory history(start);
    const std::size_t c1 = gridSlot(Column::C, 1);
    history.record(with(start, Column::C, 1, "1"), c1);
    history.record(with(start, Column::C, 1, "12"), c1);
    // Another cell, or the same one after the focus has left it, is a new step.
    const GridTexts other = with(with(start, Column::C, 1, "12"), Column::MS, 1, "3");
    history.record(other, gridSlot(Column::MS, 1));
    history.seal();
    history.record(with(other, Column::MS, 1, "34"), gridSlot(Column::MS, 1));
    EXPECT_EQ(history.undo(), other);
    EXPECT_EQ(history.undo(), with(start, Column::C, 1, "12"));
    EXPECT_EQ(history.undo(), start);
    // Typing after an undo starts its own step rather than overwriting the restored one.
    history.record(with(start, Column::C, 1, "9"), c1);
    history.record(with(start, Column::C, 1, "98"), c1);
    EXPECT_EQ(history.undo(), start);
}

TEST(TableHistory, KeepsTheLastHundredSteps) {
    GridTexts texts{};
    TableHistory history(texts);
    for (int i = 1; i <= 150; ++i)
        history.record(with(texts, Column::C, 1, std::to_string(i)));
    int undone = 0;
    std::optional<GridTexts> last;
    while (const std::optional<GridTexts> state = history.undo()) {
        last = state;
        ++undone;
    }
    EXPECT_EQ(undone, 100);
    EXPECT_EQ(last, with(texts, Column::C, 1, "50"));
}

TEST(TableHistory, RestoreWritesOnlyTheCellsThatDiffer) {
    FakeGrid grid(fake::samplecells());
    const GridTexts sample = gridTexts(grid);
    grid.cell(Column::MS, 4) = "x";
    grid.cell(Column::C, 20) = "1";
    restoreGrid(grid, sample);
    EXPECT_EQ(gridTexts(grid), sample);
    EXPECT_EQ(grid.events.size(), 2u);
}

} // namespace
} // namespace calibrix
