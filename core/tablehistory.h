#pragma once

#include "core/readdata.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace calibrix {

/// The texts of every cell, C column then MS column, rows 1 to 25: what an undo restores.
using GridTexts = std::array<std::string, 2 * maxPoints>;

/// Where a cell's text stands in GridTexts.
constexpr std::size_t gridSlot(Column column, int row) {
    return (column == Column::C ? 0 : std::size_t(maxPoints)) + std::size_t(row - 1);
}

/// The grid's texts now.
GridTexts gridTexts(const CellGrid& grid);

/// Writes `texts` into the grid, leaving the cells that already hold theirs alone.
void restoreGrid(CellGrid& grid, const GridTexts& texts);

/// The undo and redo history of the table: the state after each of the user's actions. An
/// action is what changed the table between two records: typing, a deletion, Clear all, a
/// paste. Consecutive typing in one cell is one step, as in a spreadsheet.
class TableHistory {
public:
    /// `steps`: how many actions can be undone at most.
    explicit TableHistory(GridTexts start, std::size_t steps = 100);

    /// Takes the state after an action. Nothing changed, nothing is kept. `typedCell` names the
    /// cell (its gridSlot) a keystroke edited; more typing there joins the step.
    /// A new action ends what could be redone.
    void record(const GridTexts& now, std::optional<std::size_t> typedCell = std::nullopt);
    /// Ends the step typing is adding to, as when the focus moves to another cell.
    void seal();

    /// The state before the last action, which becomes the current one; nullopt when none.
    std::optional<GridTexts> undo();
    /// The state after the last undone action; nullopt when none.
    std::optional<GridTexts> redo();

    bool canUndo() const { return current_ > 0; }
    bool canRedo() const { return current_ + 1 < states_.size(); }

private:
    std::vector<GridTexts> states_; ///< oldest first
    std::size_t current_ = 0;       ///< the state the table is in
    std::size_t steps_;
    std::optional<std::size_t> typing_; ///< the cell whose typing the current step collects
};

} // namespace calibrix
