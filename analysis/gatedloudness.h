// CGatedLoudness: the integrated loudness of BS.1770-4 from the energies of
// its 400 ms gating blocks: the mean of the blocks above -70 LUFS and above
// the relative gate 10 LU under their own mean. The blocks are kept in a
// histogram of 0.01 LU that sums their energies exactly, so the memory
// stays the same whatever the length and the result is the standard's
// (libebur128's own histogram mode rounds each block to 0.1 LU, which
// shows in the first decimal).
#pragma once

#include <vector>

#include "core/types.h"

// libebur128's loudness of an energy: 10 log10(energy) - 0.691.
double LoudnessOfEnergy(double energy);

class CGatedLoudness {
public:
    CGatedLoudness();

    void AddBlock(double energy);
    // LUFS; minus infinity when no block passes the absolute gate.
    double GetIntegrated() const;

private:
    std::vector<double> m_energies;  // the sum of each bin's blocks
    std::vector<ULONGLONG> m_counts;
};
