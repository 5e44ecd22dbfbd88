#include "analysis/truepeakmeter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr size_t kPhases = 4;
constexpr size_t kTaps = 12;

// BS.1770-4 Annex 2, phase by phase.
constexpr double kCoefficients[kPhases][kTaps] = {
    {0.0017089843750, 0.0109863281250, -0.0196533203125, 0.0332031250000, -0.0594482421875, 0.1373291015625,
     0.9721679687500, -0.1022949218750, 0.0476074218750, -0.0266113281250, 0.0148925781250, -0.0083007812500},
    {-0.0291748046875, 0.0292968750000, -0.0517578125000, 0.0891113281250, -0.1665039062500, 0.4650878906250,
     0.7797851562500, -0.2003173828125, 0.1015625000000, -0.0582275390625, 0.0330810546875, -0.0189208984375},
    {-0.0189208984375, 0.0330810546875, -0.0582275390625, 0.1015625000000, -0.2003173828125, 0.7797851562500,
     0.4650878906250, -0.1665039062500, 0.0891113281250, -0.0517578125000, 0.0292968750000, -0.0291748046875},
    {-0.0083007812500, 0.0148925781250, -0.0266113281250, 0.0476074218750, -0.1022949218750, 0.9721679687500,
     0.1373291015625, -0.0594482421875, 0.0332031250000, -0.0196533203125, 0.0109863281250, 0.0017089843750},
};

// The same, tap by tap.
constexpr auto kTapsByPhase = [] {
    std::array<std::array<double, kPhases>, kTaps> taps = {};
    for (size_t p = 0; p < kPhases; ++p) {
        for (size_t j = 0; j < kTaps; ++j)
            taps[j][p] = kCoefficients[p][j];
    }
    return taps;
}();

// No phase's output exceeds the largest input magnitude under its taps
// times this: the largest sum of a phase's absolute coefficients.
constexpr double kGainBound = 2.0228271484375;

// Outputs interpolated at a time, behind one test of the bound.
constexpr size_t kStretch = 32;

}  // namespace

CTruePeakMeter::CTruePeakMeter() : m_window(kTaps - 1, 0.0)
{
}

void CTruePeakMeter::Add(const double* pSamples, size_t nSamples)
{
    m_window.insert(m_window.end(), pSamples, pSamples + nSamples);
    for (size_t i = 0; i < nSamples; ++i)
        m_peak = std::max(m_peak, std::abs(pSamples[i]));
    const double* w = m_window.data();
    // Output n of each phase is interpolated from w[n] ... w[n + kTaps - 1].
    for (size_t first = 0; first < nSamples; first += kStretch) {
        const size_t nCount = std::min(kStretch, nSamples - first);
        double largest = 0;
        for (size_t i = first; i < first + nCount + kTaps - 1; ++i)
            largest = std::max(largest, std::abs(w[i]));
        if (largest * kGainBound <= m_peak)
            continue;
        double peak = m_peak;
        for (size_t n = first; n < first + nCount; ++n) {
            // The four phases side by side, each input sample loaded once.
            double y[kPhases] = {};
            for (size_t j = 0; j < kTaps; ++j) {
                for (size_t p = 0; p < kPhases; ++p)
                    y[p] += kTapsByPhase[j][p] * w[n + j];
            }
            for (const double v : y)
                peak = std::max(peak, std::abs(v));
        }
        m_peak = peak;
    }
    m_window.erase(m_window.begin(), m_window.end() - static_cast<std::ptrdiff_t>(kTaps - 1));
}
