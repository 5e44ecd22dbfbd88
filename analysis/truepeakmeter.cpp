#include "analysis/truepeakmeter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr size_t kPhases = 4;
// 73 taps, one more than 4 x 18: centred on a sample, so that phase 0 is
// the samples themselves and phases 1 to 3 fall a quarter, a half and three
// quarters of the way to the next, where a crest between two samples is.
constexpr size_t kLength = 73;
constexpr size_t kTaps = (kLength + kPhases - 1) / kPhases;  // of each phase, the shorter ones padded
constexpr double kKaiserBeta = 4.53;  // 50 dB down from 28 kHz at 48 kHz

// The interpolator tap by tap, the four phases side by side, and the
// largest sum of one phase's absolute taps: no output of a phase exceeds
// the largest input under its taps times that.
struct Interpolator {
    std::array<std::array<float, kPhases>, kTaps> taps = {};
    double gainBound = 0;
};

Interpolator DesignInterpolator()
{
    Interpolator interpolator;
    const double center = (kLength - 1) / 2.0;
    std::array<double, kPhases> sums = {};
    for (size_t n = 0; n < kLength; ++n) {
        const double x = (static_cast<double>(n) - center) / kPhases;
        const double r = (static_cast<double>(n) - center) / center;
        const double window = std::cyl_bessel_i(0.0, kKaiserBeta * std::sqrt(1 - r * r)) /
                              std::cyl_bessel_i(0.0, kKaiserBeta);
        const double tap = x == 0 ? 1 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x) * window;
        interpolator.taps[n / kPhases][n % kPhases] = static_cast<float>(tap);
        sums[n % kPhases] += std::abs(tap);
    }
    interpolator.gainBound = *std::max_element(sums.begin(), sums.end());
    return interpolator;
}

const Interpolator& GetInterpolator()
{
    static const Interpolator interpolator = DesignInterpolator();
    return interpolator;
}

// Outputs interpolated at a time, behind one test of the bound.
constexpr size_t kStretch = 32;

// The largest magnitude of phases 1 to 3 (phase 0 is the samples) of the
// first nCount outputs from w on, each output n interpolated from w[n] ...
// w[n + kTaps - 1]; w holds kStretch + kTaps - 1 samples (the outputs past
// nCount are computed, not counted). Output by output
// within a tap, so that the compiler vectorizes; built for AVX2 as well,
// chosen at run time where the processor has it.
__attribute__((target_clones("avx2", "default")))
float InterpolatedPeak(const float* w, size_t nCount, const Interpolator& interpolator)
{
    float peak = 0;
    for (size_t p = 1; p < kPhases; ++p) {
        std::array<float, kStretch> y = {};
        for (size_t j = 0; j < kTaps; ++j) {
            const float tap = interpolator.taps[j][p];
            for (size_t n = 0; n < kStretch; ++n)
                y[n] += tap * w[n + j];
        }
        for (size_t n = 0; n < nCount; ++n)
            peak = std::max(peak, std::abs(y[n]));
    }
    return peak;
}

}  // namespace

CTruePeakMeter::CTruePeakMeter() : m_window(kTaps - 1, 0.0f)
{
}

void CTruePeakMeter::Add(const double* pSamples, size_t nSamples)
{
    const Interpolator& interpolator = GetInterpolator();
    for (size_t i = 0; i < nSamples; ++i) {
        m_peak = std::max(m_peak, std::abs(pSamples[i]));
        m_window.push_back(static_cast<float>(pSamples[i]));
    }
    // Silence after the samples, for the last stretch to read whole.
    m_window.resize(m_window.size() + kStretch, 0.0f);
    const float* w = m_window.data();
    for (size_t first = 0; first < nSamples; first += kStretch) {
        const size_t nCount = std::min(kStretch, nSamples - first);
        float largest = 0;
        for (size_t i = first; i < first + nCount + kTaps - 1; ++i)
            largest = std::max(largest, std::abs(w[i]));
        if (largest * interpolator.gainBound > m_peak)
            m_peak = std::max(m_peak, static_cast<double>(InterpolatedPeak(w + first, nCount, interpolator)));
    }
    // The last samples, for the next block's first outputs.
    m_window.erase(m_window.begin(), m_window.end() - static_cast<std::ptrdiff_t>(kStretch + kTaps - 1));
    m_window.resize(kTaps - 1);
}
