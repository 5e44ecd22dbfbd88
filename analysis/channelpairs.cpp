#include "analysis/channelpairs.h"

#include <algorithm>

CChannelPairs::CChannelPairs(size_t nChannels)
{
    for (size_t a = 0; a < nChannels; ++a) {
        for (size_t b = a + 1; b < nChannels; ++b)
            m_pairs.push_back({a, b});
    }
}

void CChannelPairs::Add(std::span<const double* const> channels, size_t nSamples)
{
    for (ChannelPair& pair : m_pairs) {
        const double* pFirst = channels[pair.nFirst];
        const double* pSecond = channels[pair.nSecond];
        for (size_t i = 0; i < nSamples && (pair.bIdentical || pair.bInverse); ++i) {
            pair.bIdentical = pair.bIdentical && pFirst[i] == pSecond[i];
            pair.bInverse = pair.bInverse && pFirst[i] == -pSecond[i];
        }
    }
    std::erase_if(m_pairs, [](const ChannelPair& pair) { return !pair.bIdentical && !pair.bInverse; });
}
