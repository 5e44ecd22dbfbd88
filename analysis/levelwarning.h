// What --levels warns of: the faults of a deliverable that lie in its stems
// rather than in the bytes of its merge. Each is found here from the
// measured levels and told in one line naming the speakers.
#pragma once

#include <string>
#include <vector>

#include "analysis/channelmeter.h"
#include "analysis/channelpairs.h"

// A Low Frequency channel with more than a tenth of its energy (-10 dB)
// above 120 Hz holds more than bass: a full-range stem on the wrong
// speaker. Bass meant for it, low-passed at 120 Hz, stays below: the
// slope of its low-pass leaves some energy just above the corner.
constexpr double kHighBandShareLimit = 0.1;
// A mean of more than 1% of full scale is an offset, not the signal's.
constexpr double kDcOffsetLimit = 0.01;

enum class LevelWarningKind {
    Silent,            // every sample zero
    Identical,         // two channels, sample for sample
    Inverse,           // two channels, each the other's polarity inverse
    HighLowFrequency,  // Low Frequency with content above 120 Hz
    Clipped,           // samples at the format's extremes
    DcOffset,          // a mean beyond kDcOffsetLimit
};

struct LevelWarning {
    LevelWarningKind eKind = LevelWarningKind::Silent;
    size_t nChannel = 0;
    size_t nOther = 0;  // the second channel of a pair
};

// The warnings in the order of the kinds above, each kind in channel order.
// Silent channels are not also reported as identical or inverse.
std::vector<LevelWarning> FindLevelWarnings(const std::vector<ChannelLevels>& channels,
                                            const std::vector<ChannelPair>& pairs);

// "Back Right is silent", "Front Left and Front Right are identical", ...
// names: each channel's name (GetChannelName).
std::string DescribeLevelWarning(const LevelWarning& warning, const std::vector<std::string>& names,
                                 const std::vector<ChannelLevels>& channels);
