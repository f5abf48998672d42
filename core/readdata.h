#pragma once

#include "core/pointtable.h"

#include <string>
#include <string_view>

namespace calibrix {

/// The two columns of the grid: TextX holds C, TextY holds MS.
enum class Column { C, MS };

/// The window's cells as the table read sees them. Rows are 1..25.
class CellGrid {
public:
    virtual ~CellGrid() = default;
    /// UTF-8 text of TextX(row) or TextY(row).
    virtual std::string text(Column column, int row) const = 0;
    /// Replaces a cell's text. A read calls this while it trims, so it must not start another
    /// read before it returns.
    virtual void setText(Column column, int row, std::string_view text) = 0;
    /// Label1(row) bold while the row counts as a point.
    virtual void setRowBold(int row, bool bold) = 0;
    /// Tells the user that the point in `row` holds a bad value.
    virtual void reportBadPoint(int row) = 0;
    /// vyvid: blanks the result labels and the plot.
    virtual void clearResults() = 0;
};

/// The last row in which either cell holds a character other than a blank; 0 when none does.
int lastFilledRow(const CellGrid& grid);

/// Reads the grid into `table`: trims leading blanks, counts and marks the rows, parses them,
/// reports the first bad point, and always ends with the results blanked.
void readdata(CellGrid& grid, PointTable& table);

} // namespace calibrix
