#include "analysis/levelwarning.h"

#include <cmath>
#include <cstdio>

namespace {

bool IsSilent(const ChannelLevels& levels)
{
    return levels.peak == 0;
}

}  // namespace

std::vector<LevelWarning> FindLevelWarnings(const std::vector<ChannelLevels>& channels,
                                            const std::vector<ChannelPair>& pairs)
{
    std::vector<LevelWarning> warnings;
    for (size_t k = 0; k < channels.size(); ++k) {
        if (IsSilent(channels[k]))
            warnings.push_back({LevelWarningKind::Silent, k});
    }
    for (const bool bInverse : {false, true}) {
        for (const ChannelPair& pair : pairs) {
            if (IsSilent(channels[pair.nFirst]) || !(bInverse ? pair.bInverse : pair.bIdentical))
                continue;
            warnings.push_back({bInverse ? LevelWarningKind::Inverse : LevelWarningKind::Identical, pair.nFirst,
                                pair.nSecond});
        }
    }
    for (size_t k = 0; k < channels.size(); ++k) {
        const std::optional<double>& share = channels[k].highBandShare;
        if (share && *share > kHighBandShareLimit)
            warnings.push_back({LevelWarningKind::HighLowFrequency, k});
    }
    for (size_t k = 0; k < channels.size(); ++k) {
        if (channels[k].nClipped > 0)
            warnings.push_back({LevelWarningKind::Clipped, k});
    }
    for (size_t k = 0; k < channels.size(); ++k) {
        if (std::abs(channels[k].dcOffset) > kDcOffsetLimit)
            warnings.push_back({LevelWarningKind::DcOffset, k});
    }
    return warnings;
}

std::string DescribeLevelWarning(const LevelWarning& warning, const std::vector<std::string>& names,
                                 const std::vector<ChannelLevels>& channels)
{
    const std::string& name = names[warning.nChannel];
    const ChannelLevels& levels = channels[warning.nChannel];
    char text[128] = "";
    switch (warning.eKind) {
    case LevelWarningKind::Silent:
        return name + " is silent";
    case LevelWarningKind::Identical:
        return name + " and " + names[warning.nOther] + " are identical";
    case LevelWarningKind::Inverse:
        return name + " and " + names[warning.nOther] + " are each other's polarity inverse";
    case LevelWarningKind::HighLowFrequency:
        // Rounded first, so that nearly all of it reads 0.0 rather than -0.0.
        std::snprintf(text, sizeof text, " has content above %.0f Hz (%.1f dB of its energy)", kLowFrequencyCornerHz,
                      std::round(100 * std::log10(levels.highBandShare.value_or(1))) / 10 + 0.0);
        return name + text;
    case LevelWarningKind::Clipped:
        std::snprintf(text, sizeof text, " has %llu clipped samples", static_cast<unsigned long long>(levels.nClipped));
        return name + text;
    case LevelWarningKind::DcOffset:
        std::snprintf(text, sizeof text, " has a DC offset of %+.1f%% of full scale", 100 * levels.dcOffset);
        return name + text;
    }
    return name;
}
