// Cutting clipboard texts into cells and writing the copy text; prints figures only.
#include "clipboard/copytext.h"
#include "clipboard/pastetext.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using calibrix::cutPasteText;

std::string twoRows() {
    std::string text;
    for (int i = 1; i <= 25; ++i)
        text += std::to_string(i) + ".5\t" + std::to_string(100 + 37 * i) + ",25\r\n";
    return text;
}

std::string repeated(const std::string& piece, std::size_t size) {
    std::string text;
    while (text.size() < size)
        text += piece;
    return text;
}

constexpr std::size_t tenMegabytes = 10'000'000;

void paste(benchmark::State& state, const std::string& text) {
    for (auto _ : state)
        benchmark::DoNotOptimize(cutPasteText(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Paste25Rows(benchmark::State& state) {
    paste(state, twoRows());
}
void BM_Paste10MBLines(benchmark::State& state) {
    paste(state, repeated("1.5\t2.5\r\n", tenMegabytes));
}
void BM_Paste10MBCell(benchmark::State& state) {
    paste(state, std::string(tenMegabytes, 'x'));
}
void BM_Paste10MBTabs(benchmark::State& state) {
    paste(state, std::string(tenMegabytes, '\t'));
}
void BM_Paste10MBBlanks(benchmark::State& state) {
    paste(state, std::string(tenMegabytes, ' '));
}
void BM_Paste10MBNuls(benchmark::State& state) {
    paste(state, std::string(tenMegabytes, '\0'));
}
void BM_Paste10MBOneLine(benchmark::State& state) {
    paste(state, repeated("1 ", tenMegabytes));
}

void BM_Copy25Rows(benchmark::State& state) {
    std::vector<double> conc;
    std::vector<double> signal;
    for (int i = 1; i <= 25; ++i) {
        conc.push_back(static_cast<float>(0.1 * i));
        signal.push_back(static_cast<float>(1.5e-20 * i));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(calibrix::copyText(conc, signal, ","));
}

BENCHMARK(BM_Paste25Rows);
BENCHMARK(BM_Paste10MBLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBCell)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBTabs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBBlanks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBNuls)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBOneLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Copy25Rows)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
