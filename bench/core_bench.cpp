// One recalculation as the window runs it on every keystroke, beside a floor of the plain C
// library work it cannot avoid: converting 50 texts and formatting seven numbers.

#include "core/calculation.h"
#include "core/results.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace calibrix {
namespace {

// 25 filled rows of typical calibration data.
std::array<std::array<std::string, maxPoints + 1>, 2> filledCells() {
    std::array<std::array<std::string, maxPoints + 1>, 2> cells;
    for (int row = 1; row <= maxPoints; ++row) {
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", 0.4 * row);
        cells[0][std::size_t(row)] = text;
        std::snprintf(text, sizeof text, "%.4f", 0.0123 * row + 0.0007 * ((row * 7) % 5));
        cells[1][std::size_t(row)] = text;
    }
    return cells;
}

// The grid as a window without side effects presents it.
class Grid : public CellGrid {
public:
    std::array<std::array<std::string, maxPoints + 1>, 2> cells = filledCells();

    std::string text(Column column, int row) const override {
        return cells[column == Column::C ? 0 : 1][std::size_t(row)];
    }
    void setText(Column column, int row, std::string_view text) override {
        cells[column == Column::C ? 0 : 1][std::size_t(row)] = text;
    }
};

void BM_RecalculationCycle(benchmark::State& state) {
    Grid grid;
    PointTable table;
    for (auto _ : state) {
        const auto fit = recalculate(grid, table, Model::Intercept, 2).fit;
        ResultTexts texts = resulttexts(*fit, Model::Intercept, ",");
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_RecalculationCycle);

void BM_Floor(benchmark::State& state) {
    Grid grid;
    PointTable table;
    const Fit fit = recalculate(grid, table, Model::Intercept, 2).fit.value();
    const double values[] = {fit.a, fit.da, fit.b, fit.db, fit.dl, fit.s, fit.r};
    const char* formats[] = {"  %.5E", "  %.5E", "  %.6f", "  %.5E", "  %.5E", "  %.6f", "  %.5f"};
    for (auto _ : state) {
        double sum = 0;
        for (const auto& column : grid.cells) {
            for (std::size_t row = 1; row <= maxPoints; ++row)
                sum += std::strtod(column[row].c_str(), nullptr);
        }
        benchmark::DoNotOptimize(sum);
        char text[7][32];
        for (int i = 0; i < 7; ++i)
            std::snprintf(text[i], sizeof text[i], formats[i], values[i]);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_Floor);

} // namespace
} // namespace calibrix

BENCHMARK_MAIN();
