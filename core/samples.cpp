#include "core/samples.h"

#include "core/cellvalue.h"
#include "core/results.h"

#include <algorithm>
#include <cmath>

namespace calibrix {

namespace {

bool finite(double v) {
    return std::isfinite(v);
}

} // namespace

// Model: the calibration line MS = a + bC (or MS = bC) read backwards at a sample's signal.
// Outputs: C = (MS − a)/b; ΔC from the fit's s, n and t (the main window's table row and
// level) and the spread of the points' concentrations, summed about their mean; the notes.
// Stops (nullopt values) where b is 0 or anything computed is not finite.
SampleEstimate estimate(const Calibration& cal, double ms, int m) {
    SampleEstimate out;
    const Fit& fit = cal.fit;
    const std::size_t count = cal.conc.size();
    if (count == 0 || fit.b == 0 || m < 1)
        return out;
    const double n = double(count);
    const double c = (ms - fit.a) / fit.b;
    if (!finite(c))
        return out;
    out.c = c;
    const auto [low, high] = std::minmax_element(cal.conc.begin(), cal.conc.end());
    out.outside = c < *low || c > *high;
    out.belowDL = detectionLimitShown(fit) && c < fit.dl;

    double cmean = 0, ymean = 0;
    for (std::size_t i = 0; i < count; ++i) {
        cmean += cal.conc[i];
        ymean += cal.signal[i];
    }
    cmean /= n;
    ymean /= n;
    double spread = 0; // Σ(Cᵢ − C̄)² with the intercept, ΣCᵢ² through the origin
    for (const double ci : cal.conc) {
        const double d = cal.model == Model::Intercept ? ci - cmean : ci;
        spread += d * d;
    }
    const double t = ttable[std::size_t(cal.level)][std::size_t(fit.dfrow)];
    const double b2 = fit.b * fit.b;
    // The variance of a mean of m measurements, of the line at C, and of the slope's reading.
    const double share = cal.model == Model::Intercept
                             ? 1.0 / m + 1.0 / n + (ms - ymean) * (ms - ymean) / (b2 * spread)
                             : 1.0 / m + ms * ms / (b2 * spread);
    const double dc = t * (fit.s / std::abs(fit.b)) * std::sqrt(share);
    if (finite(spread) && finite(share) && finite(dc))
        out.dc = dc;
    return out;
}

std::optional<int> replicates(std::string_view text) {
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return 1;
    const std::optional<float> value = cellvalue(text);
    if (!value || *value < 1 || *value > 99 || *value != std::floor(*value))
        return std::nullopt;
    return int(*value);
}

SampleTexts sampletexts(std::string_view ms, std::string_view m,
                        const std::optional<Calibration>& calibration,
                        std::string_view decimalSeparator) {
    SampleTexts texts;
    if (!calibration || ms.find_first_not_of(' ') == std::string_view::npos)
        return texts;
    const std::optional<float> signal = cellvalue(ms);
    const std::optional<int> count = replicates(m);
    if (!signal || !count) {
        texts.note = "incorrect value";
        return texts;
    }
    const SampleEstimate e = estimate(*calibration, *signal, *count);
    texts.c = e.c ? resultNumber(*e.c, decimalSeparator) : undefinedResult;
    texts.dc = e.dc ? resultNumber(*e.dc, decimalSeparator) : undefinedResult;
    if (e.belowDL)
        texts.note = "below DL";
    if (e.outside)
        texts.note += texts.note.empty() ? "outside C range" : ", outside C range";
    texts.estimate = e;
    texts.ms = *signal;
    return texts;
}

} // namespace calibrix
