#include "analysis/channelmeter.h"

#include <cmath>

CChannelMeter::CChannelMeter(DWORD nSampleRate, double largest, double smallest, HighBand eHighBand)
    : m_largest(largest), m_smallest(smallest)
{
    if (eHighBand == HighBand::Measured) {
        m_highPass.emplace(nSampleRate, kLowFrequencyCornerHz);
        if (!m_highPass->IsUsable())
            m_highPass.reset();
    }
}

void CChannelMeter::Add(const double* pSamples, size_t nSamples)
{
    double peak = m_peak;
    double sum = 0;
    double sumSquares = 0;
    for (size_t i = 0; i < nSamples; ++i) {
        const double x = pSamples[i];
        peak = std::max(peak, std::abs(x));
        sum += x;
        sumSquares += x * x;
        if (x >= m_largest || x <= m_smallest) {
            const double extreme = x >= m_largest ? m_largest : m_smallest;
            m_nRun = m_nRun > 0 && m_runValue == extreme ? m_nRun + 1 : 1;
            m_runValue = extreme;
            // A run counts from its second sample, and then its first as well.
            m_nClipped += m_nRun == 2 ? 2 : m_nRun > 2 ? 1 : 0;
        } else {
            m_nRun = 0;
        }
    }
    m_peak = peak;
    m_sum += sum;
    m_sumSquares += sumSquares;
    m_nSamples += nSamples;
    if (m_highPass) {
        double highSquares = 0;
        for (size_t i = 0; i < nSamples; ++i) {
            const double y = m_highPass->Filter(pSamples[i]);
            highSquares += y * y;
        }
        m_highBandSquares += highSquares;
    }
    m_truePeak.Add(pSamples, nSamples);
}

ChannelLevels CChannelMeter::GetLevels() const
{
    ChannelLevels levels;
    levels.peak = m_peak;
    levels.truePeak = m_truePeak.GetTruePeak();
    if (m_nSamples > 0) {
        const auto n = static_cast<double>(m_nSamples);
        levels.rms = std::sqrt(m_sumSquares / n);
        levels.dcOffset = m_sum / n;
    }
    levels.nClipped = m_nClipped;
    if (m_highPass && m_sumSquares > 0)
        levels.highBandShare = m_highBandSquares / m_sumSquares;
    return levels;
}
