#include "analysis/loudnessmeter.h"

#include <algorithm>
#include <cmath>

CLoudnessMeter::CLoudnessMeter(DWORD nSampleRate, const std::vector<int>& kinds)
    : m_pState(ebur128_init(static_cast<unsigned>(kinds.size()), nSampleRate,
                            EBUR128_MODE_LRA | EBUR128_MODE_HISTOGRAM)),
      m_nChannels(kinds.size()),
      m_nStepFrames(std::max<size_t>(1, (nSampleRate + 5) / 10)),
      m_nFramesToStep(m_nStepFrames)
{
    for (size_t k = 0; m_pState && k < kinds.size(); ++k)
        ebur128_set_channel(m_pState.get(), static_cast<unsigned>(k), kinds[k]);
}

void CLoudnessMeter::Add(const double* pFrames, size_t nFrames)
{
    while (nFrames > 0) {
        const size_t nTaken = std::min(nFrames, m_nFramesToStep);
        ebur128_add_frames_double(m_pState.get(), pFrames, nTaken);
        pFrames += nTaken * m_nChannels;
        nFrames -= nTaken;
        m_nFramesToStep -= nTaken;
        if (m_nFramesToStep == 0) {
            Step();
            m_nFramesToStep = m_nStepFrames;
        }
    }
}

void CLoudnessMeter::Step()
{
    double loudness = -HUGE_VAL;
    ebur128_loudness_window(m_pState.get(), 100, &loudness);
    // The inverse of LoudnessOfEnergy.
    m_stepEnergies[m_nSteps++ % kShortTermSteps] = std::isfinite(loudness) ? std::pow(10, (loudness + 0.691) / 10) : 0;
    double momentary = 0;
    for (size_t i = 0; i < std::min(kMomentarySteps, m_nSteps); ++i)
        momentary += m_stepEnergies[(m_nSteps - 1 - i) % kShortTermSteps];
    double shortTerm = 0;
    for (const double energy : m_stepEnergies)
        shortTerm += energy;
    // Each momentary window of the programme is a gating block.
    if (m_nSteps >= kMomentarySteps)
        m_gated.AddBlock(momentary / kMomentarySteps);
    m_maxMomentary = std::max(m_maxMomentary, momentary / kMomentarySteps);
    m_maxShortTerm = std::max(m_maxShortTerm, shortTerm / kShortTermSteps);
}

LoudnessLevels CLoudnessMeter::GetLevels() const
{
    LoudnessLevels levels;
    levels.integrated = m_gated.GetIntegrated();
    ebur128_loudness_range(m_pState.get(), &levels.range);
    levels.maxMomentary = LoudnessOfEnergy(m_maxMomentary);
    levels.maxShortTerm = LoudnessOfEnergy(m_maxShortTerm);
    return levels;
}
