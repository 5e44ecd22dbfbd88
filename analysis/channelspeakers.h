// The speaker of each channel of a file, as far as its channel mask says:
// channel k is the speaker of the mask's k-th bit in table order; a channel
// beyond the mask's speakers, or of a file without a mask, has none and is
// called by its number.
#pragma once

#include <string>
#include <vector>

#include "merge/formatrule.h"

// The position index (kSpeakerPositions) of every channel, -1 for none.
std::vector<int> GetChannelSpeakers(const WaveFormat& format);

// "Front Left", or "Channel 3" for the third channel when it has no speaker.
std::string GetChannelName(const std::vector<int>& speakers, size_t nChannel);

// The channel kind libebur128 weights channel nChannel by (its
// ebur128_channel value), per BS.1770-4: Low Frequency left out, 1.41 for
// the positions between 60 and 120 degrees off centre at ear height, 1.0
// for every other one and for a channel without a speaker.
int GetLoudnessChannelKind(const std::vector<int>& speakers, size_t nChannel);
