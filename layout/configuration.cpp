#include "layout/configuration.h"

#include "layout/speakerposition.h"

std::vector<int> GetChannelPositions(DWORD dwChannelMask)
{
    std::vector<int> positions;
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        if (dwChannelMask & kSpeakerPositions[i].dwMask)
            positions.push_back(i);
    }
    return positions;
}

int GetChannelCount(DWORD dwChannelMask)
{
    return static_cast<int>(GetChannelPositions(dwChannelMask).size());
}

int GetSpeakerOfRow(DWORD dwChannelMask, int nRow)
{
    std::vector<int> positions = GetChannelPositions(dwChannelMask);
    if (nRow < 0 || nRow >= static_cast<int>(positions.size()))
        return -1;
    return positions[static_cast<size_t>(nRow)];
}

DWORD GetMaskOfPositions(std::span<const int> positions)
{
    DWORD dwMask = 0;
    for (int i : positions) {
        if (i >= 0 && i < kSpeakerPositionCount)
            dwMask |= kSpeakerPositions[i].dwMask;
    }
    return dwMask;
}
