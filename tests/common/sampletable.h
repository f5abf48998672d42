#pragma once

// The data every start shows and the results the design works out for them, written once for
// every test that needs them.

#include "core/statistics.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace calibrix::testdata {

/// The ten sample points as their cells hold them: C in rows 1..10, then MS.
inline constexpr std::array<const char*, 10> sampleC{"1", "2", "3", "4", "5",
                                                     "6", "7", "8", "9", "10"};
inline constexpr std::array<const char*, 10> sampleMS{"10", "22", "28", "43", "51",
                                                      "56", "69", "80", "92", "99"};

/// The same points as numbers, read from the texts above.
inline std::vector<double> values(const std::array<const char*, 10>& texts) {
    std::vector<double> out;
    for (const char* text : texts)
        out.push_back(std::stod(text));
    return out;
}
inline std::vector<double> sampleConc() {
    return values(sampleC);
}
inline std::vector<double> sampleSignal() {
    return values(sampleMS);
}

/// The seven result texts of the sample for one model and level, in the order of the labels
/// Laba, Labda, Labb, Labdb, Labnv, Labso, Labr: a, Δa, b, Δb, detection limit, s, r.
struct WorkedExample {
    const char* name;
    Model model;
    int level;
    std::array<const char*, 7> texts;
};

// clang-format off
inline constexpr WorkedExample workedExamples[] = {
    {"a+bC 90", Model::Intercept, 1, {"  5.33333E-01", "  2.813511", "  9.903030", "  4.53438E-01",
                                      "  5.12474E-01", "  2.214279", "  0.99758"}},
    {"a+bC 95", Model::Intercept, 2, {"  5.33333E-01", "  3.488149", "  9.903030", "  5.62166E-01",
                                      "  6.28757E-01", "  2.214279", "  0.99758"}},
    {"a+bC 99", Model::Intercept, 3, {"  5.33333E-01", "  5.074908", "  9.903030", "  8.17896E-01",
                                      "  8.92958E-01", "  2.214279", "  0.99758"}},
    {"bC 90", Model::Origin, 1, {"", "", "  9.979221", "  1.96533E-01", "  1.06226E-01",
                                 "  2.103800", "  0.99758"}},
    {"bC 95", Model::Origin, 2, {"", "", "  9.979221", "  2.42531E-01", "  1.30498E-01",
                                 "  2.103800", "  0.99758"}},
    {"bC 99", Model::Origin, 3, {"", "", "  9.979221", "  3.48464E-01", "  1.85574E-01",
                                 "  2.103800", "  0.99758"}},
};
// clang-format on

/// A worked example by its name, in test output.
inline void PrintTo(const WorkedExample& example, std::ostream* os) {
    *os << example.name;
}

} // namespace calibrix::testdata
