// CChannelPairs: which channels are the same signal sample for sample, or
// its polarity inverse: a stem exported twice, or once with its polarity
// flipped. A pair is dropped at its first sample that differs both ways, so
// a file of distinct channels costs little after its first samples.
#pragma once

#include <span>
#include <vector>

struct ChannelPair {
    size_t nFirst = 0;
    size_t nSecond = 0;  // after nFirst
    bool bIdentical = true;
    bool bInverse = true;
};

class CChannelPairs {
public:
    explicit CChannelPairs(size_t nChannels);

    // nSamples more samples of every channel.
    void Add(std::span<const double* const> channels, size_t nSamples);

    // The pairs still identical or inverse, in channel order.
    const std::vector<ChannelPair>& GetPairs() const { return m_pairs; }

private:
    std::vector<ChannelPair> m_pairs;
};
