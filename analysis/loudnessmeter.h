// CLoudnessMeter: the loudness of a whole programme per ITU-R BS.1770-4 and
// EBU R 128, through libebur128: integrated loudness, loudness range, and
// the largest momentary (400 ms) and short-term (3 s) loudness, taken every
// 100 ms as EBU Tech 3341 meters show them. Its memory stays the same
// whatever the length (libebur128's histogram mode for the range, whose
// 0.1 LU are fine enough there, CGatedLoudness for the integrated loudness).
//
// libebur128 sums its whole window each time it is asked for a momentary or
// short-term loudness, 34 times the samples when asked every 100 ms; so it
// is asked for the loudness of each 100 ms alone, and the windows are the
// means of the last 4 and 30 of those energies, which they are exactly.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include <ebur128.h>

#include "analysis/gatedloudness.h"
#include "core/types.h"

// Minus infinity for silence throughout.
struct LoudnessLevels {
    double integrated = 0;    // LUFS
    double range = 0;         // LU
    double maxMomentary = 0;  // LUFS
    double maxShortTerm = 0;  // LUFS
};

class CLoudnessMeter {
public:
    // kinds: libebur128's channel kind for each channel.
    CLoudnessMeter(DWORD nSampleRate, const std::vector<int>& kinds);
    CLoudnessMeter(const CLoudnessMeter&) = delete;
    CLoudnessMeter& operator=(const CLoudnessMeter&) = delete;

    // False when libebur128 could not get its memory.
    bool IsReady() const { return m_pState != nullptr; }

    // nFrames interleaved frames.
    void Add(const double* pFrames, size_t nFrames);
    LoudnessLevels GetLevels() const;

private:
    struct StateDeleter {
        void operator()(ebur128_state* pState) const { ebur128_destroy(&pState); }
    };

    void Step();

    static constexpr size_t kMomentarySteps = 4;
    static constexpr size_t kShortTermSteps = 30;

    std::unique_ptr<ebur128_state, StateDeleter> m_pState;
    size_t m_nChannels;
    size_t m_nStepFrames;    // 100 ms
    size_t m_nFramesToStep;  // until the next reading
    // The energies of the last 30 steps, the latest at m_nSteps % 30; those
    // before the first step are silence, as libebur128 counts them.
    std::array<double, kShortTermSteps> m_stepEnergies = {};
    size_t m_nSteps = 0;
    CGatedLoudness m_gated;
    double m_maxMomentary = 0;  // energies
    double m_maxShortTerm = 0;
};
