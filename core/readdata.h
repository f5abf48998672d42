#pragma once

#include "core/pointtable.h"

#include <array>
#include <string>
#include <string_view>

namespace calibrix {

/// The two columns of the grid: TextX holds C, TextY holds MS.
enum class Column { C, MS };

/// The window's cells as the table read and the table edits see them. Rows are 1..25.
class CellGrid {
public:
    virtual ~CellGrid() = default;
    /// UTF-8 text of TextX(row) or TextY(row).
    virtual std::string text(Column column, int row) const = 0;
    /// Replaces a cell's text. A read calls this while it trims, so it must not start another
    /// read before it returns.
    virtual void setText(Column column, int row, std::string_view text) = 0;
};

/// What one read of the grid found. The read shows nothing: the window marks rows 1..npoints,
/// reports `badrow` and blanks the results from it.
struct TableRead {
    int npoints = 0; ///< the last row in which either cell holds text
    int badrow = 0;  ///< the first row with a rejected cell; 0 when every row read
    /// The values of rows 1..lastRead() (index 0 unused); a rejected cell reads as 0.
    std::array<double, maxPoints + 1> conc{}, signal{};

    /// The last row the read parsed: the bad one, or the last point.
    int lastRead() const { return badrow != 0 ? badrow : npoints; }
};

/// The last row in which either cell holds a character other than a blank; 0 when none does.
int lastFilledRow(const CellGrid& grid);

/// Reads the grid: trims leading blanks from the cells, counts the rows and parses them up to
/// the first bad one.
TableRead readdata(CellGrid& grid);

/// Keeps a read in the shared table: npoints, the values of the rows it parsed, dataerror 1 or
/// (after a bad row) 0, and the bad row. Rows it did not parse keep their values.
void store(const TableRead& read, PointTable& table);

} // namespace calibrix
