// CTruePeakMeter: the true peak of one channel, the largest magnitude of
// the signal oversampled 4x with the interpolating filter of ITU-R BS.1770-4
// Annex 2 (48 taps in four phases of 12). libebur128 measures the same but
// three times slower; stretches that cannot pass the peak found so far are
// not interpolated at all, the bound being exact, so nothing is lost.
#pragma once

#include <cstddef>
#include <vector>

class CTruePeakMeter {
public:
    CTruePeakMeter();

    void Add(const double* pSamples, size_t nSamples);

    // At least the sample peak, as BS.1770-4 counts the samples themselves.
    double GetTruePeak() const { return m_peak; }

private:
    std::vector<double> m_window;  // the last samples before the block, then the block
    double m_peak = 0;
};
