#include "core/tablehistory.h"

namespace calibrix {

namespace {

constexpr Column columns[] = {Column::C, Column::MS};

} // namespace

GridTexts gridTexts(const CellGrid& grid) {
    GridTexts texts;
    for (Column column : columns)
        for (int row = 1; row <= maxPoints; ++row)
            texts[gridSlot(column, row)] = grid.text(column, row);
    return texts;
}

void restoreGrid(CellGrid& grid, const GridTexts& texts) {
    for (int row = 1; row <= maxPoints; ++row)
        for (Column column : columns) {
            const std::string& text = texts[gridSlot(column, row)];
            if (grid.text(column, row) != text)
                grid.setText(column, row, text);
        }
}

TableHistory::TableHistory(GridTexts start, std::size_t steps) : steps_(steps) {
    states_.push_back(std::move(start));
}

void TableHistory::record(const GridTexts& now, std::optional<std::size_t> typedCell) {
    if (now == states_[current_])
        return;
    states_.resize(current_ + 1);
    // Typing on in the same cell replaces the state its step ends in.
    if (typedCell && typing_ == typedCell && current_ > 0) {
        states_[current_] = now;
        return;
    }
    typing_ = typedCell;
    states_.push_back(now);
    if (states_.size() > steps_ + 1)
        states_.erase(states_.begin());
    current_ = states_.size() - 1;
}

void TableHistory::seal() {
    typing_.reset();
}

std::optional<GridTexts> TableHistory::undo() {
    typing_.reset();
    if (!canUndo())
        return std::nullopt;
    return states_[--current_];
}

std::optional<GridTexts> TableHistory::redo() {
    typing_.reset();
    if (!canRedo())
        return std::nullopt;
    return states_[++current_];
}

} // namespace calibrix
