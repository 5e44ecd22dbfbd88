#include "analysis/channelspeakers.h"

#include <algorithm>

#include <ebur128.h>

#include "layout/configuration.h"
#include "layout/speakerposition.h"

std::vector<int> GetChannelSpeakers(const WaveFormat& format)
{
    std::vector<int> speakers(format.nChannels, -1);
    if (format.dwChannelMask) {
        const std::vector<int> positions = GetChannelPositions(*format.dwChannelMask);
        std::copy_n(positions.begin(), std::min(positions.size(), speakers.size()), speakers.begin());
    }
    return speakers;
}

std::string GetChannelName(const std::vector<int>& speakers, size_t nChannel)
{
    const int nPosition = speakers[nChannel];
    return nPosition >= 0 ? kSpeakerPositions[nPosition].pszName : "Channel " + std::to_string(nChannel + 1);
}

int GetLoudnessChannelKind(const std::vector<int>& speakers, size_t nChannel)
{
    // Back Left and Right are the surrounds of 5.1 (at 110 degrees) unless
    // Side Left and Right are there too, as in 7.1: then those are at 90 and
    // the backs at 135, which BS.1770-4 weights as 1.0.
    const bool bSides = std::find(speakers.begin(), speakers.end(), kSideLeft) != speakers.end();
    static constexpr int kKinds[kSpeakerPositionCount] = {
        EBUR128_Mp030, EBUR128_Mm030, EBUR128_Mp000, EBUR128_UNUSED,  // FL FR FC LF
        EBUR128_Mp110, EBUR128_Mm110,                                  // BL BR
        EBUR128_Mp030, EBUR128_Mm030,  // FLC FRC: weighted as the fronts; libebur128 has no 15 degrees
        EBUR128_Mp180, EBUR128_Mp090, EBUR128_Mm090,                   // BC SL SR
        EBUR128_Tp000, EBUR128_Up030, EBUR128_Up000, EBUR128_Um030,    // TC TFL TFC TFR
        EBUR128_Up135, EBUR128_Up180, EBUR128_Um135,                   // TBL TBC TBR
    };
    const int nPosition = speakers[nChannel];
    if (nPosition < 0)
        return EBUR128_Mp000;
    if (bSides && (nPosition == kBackLeft || nPosition == kBackRight))
        return nPosition == kBackLeft ? EBUR128_Mp135 : EBUR128_Mm135;
    return kKinds[nPosition];
}
