// CChannelMeter: the levels of one channel, sample by sample: sample peak,
// true peak, the sums that give RMS and DC offset, the clipped samples and,
// for a Low Frequency channel, how much of its energy lies above 120 Hz.
#pragma once

#include <optional>

#include "analysis/highpassfilter.h"
#include "analysis/truepeakmeter.h"
#include "core/types.h"

// Above this a Low Frequency channel carries more than bass.
constexpr double kLowFrequencyCornerHz = 120;

enum class HighBand {
    Ignored,
    Measured,  // the share of the energy above kLowFrequencyCornerHz
};

struct ChannelLevels {
    double peak = 0;      // the largest magnitude, full scale 1.0
    double truePeak = 0;  // of the signal 4x oversampled (BS.1770-4 Annex 2), at least peak
    double rms = 0;
    double dcOffset = 0;  // the mean sample
    ULONGLONG nClipped = 0;  // samples at the format's largest or smallest value, in runs of two or more
    std::optional<double> highBandShare;  // with HighBand::Measured and any energy at all
};

class CChannelMeter {
public:
    // largest and smallest are the format's extremes (CSampleDecoder's).
    CChannelMeter(DWORD nSampleRate, double largest, double smallest, HighBand eHighBand);
    CChannelMeter(const CChannelMeter&) = delete;
    CChannelMeter& operator=(const CChannelMeter&) = delete;

    void Add(const double* pSamples, size_t nSamples);
    ChannelLevels GetLevels() const;

private:
    CTruePeakMeter m_truePeak;
    std::optional<CHighPassFilter> m_highPass;
    double m_largest;
    double m_smallest;
    double m_peak = 0;
    double m_sum = 0;
    double m_sumSquares = 0;
    double m_highBandSquares = 0;
    ULONGLONG m_nSamples = 0;
    ULONGLONG m_nClipped = 0;
    ULONGLONG m_nRun = 0;       // samples in the current run at one extreme
    double m_runValue = 0;      // which extreme
};
