#pragma once

#include "core/gridlimits.h"

#include <array>
#include <cstdint>
#include <span>

namespace calibrix {

/// The numbers derived from the grid's cells by the last table read, and the shared flags.
/// Index 0 of conc and signal is unused: row i lives at index i.
struct PointTable {
    std::array<double, maxPoints + 1> conc{};
    std::array<double, maxPoints + 1> signal{};
    std::int16_t npoints = 0;
    std::int16_t dataerror = 0;  ///< 1 read fine, 0 the read stopped at a bad row
    std::int16_t badrow = 0;     ///< the row the last read stopped at, 0 when it read them all
    std::int16_t hoverpoint = 0; ///< row whose marker blinks, 0 for none

    /// Concentrations of rows 1..npoints.
    std::span<const double> concValues() const { return {conc.data() + 1, std::size_t(npoints)}; }
    /// Signals of rows 1..npoints.
    std::span<const double> signalValues() const {
        return {signal.data() + 1, std::size_t(npoints)};
    }
};

} // namespace calibrix
