#include "layout/channeltags.h"

#include <algorithm>

#include "layout/speakerposition.h"

namespace {

constexpr ChannelTag kTags[] = {
    {"L", kFrontLeft, TagScope::Always},
    {"R", kFrontRight, TagScope::Always},
    {"C", kFrontCenter, TagScope::Always},
    {"LFE", kLowFrequency, TagScope::Always},
    {"LF", kLowFrequency, TagScope::Always},
    {"Ls", kBackLeft, TagScope::WithoutSides},
    {"Rs", kBackRight, TagScope::WithoutSides},
    {"Lsr", kBackLeft, TagScope::Always},
    {"Rsr", kBackRight, TagScope::Always},
    {"Lrs", kBackLeft, TagScope::Always},
    {"Rrs", kBackRight, TagScope::Always},
    {"Lc", kFrontLeftOfCenter, TagScope::Always},
    {"Rc", kFrontRightOfCenter, TagScope::Always},
    {"Cs", kBackCenter, TagScope::Always},
    {"Ls", kSideLeft, TagScope::WithSides},
    {"Rs", kSideRight, TagScope::WithSides},
    {"Lss", kSideLeft, TagScope::Always},
    {"Rss", kSideRight, TagScope::Always},
};

bool Applies(const ChannelTag& tag, DWORD dwChannelMask)
{
    if ((kSpeakerPositions[tag.nSpeaker].dwMask & dwChannelMask) == 0)
        return false;
    const DWORD dwSides = kSpeakerPositions[kSideLeft].dwMask | kSpeakerPositions[kSideRight].dwMask;
    const bool bSides = (dwChannelMask & dwSides) != 0;
    return tag.eScope == TagScope::Always || (tag.eScope == TagScope::WithSides) == bSides;
}

// Only ASCII letters fold: a tag is ASCII, and no other letter may pass for one.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

const std::span<const ChannelTag> kChannelTags = kTags;

int FindTaggedSpeaker(std::string_view tag, DWORD dwChannelMask)
{
    for (const ChannelTag& entry : kTags) {
        if (EqualsIgnoringAsciiCase(tag, entry.pszTag) && Applies(entry, dwChannelMask))
            return entry.nSpeaker;
    }
    return -1;
}

const char* GetChannelTag(int nSpeaker, DWORD dwChannelMask)
{
    for (const ChannelTag& entry : kTags) {
        if (entry.nSpeaker == nSpeaker && Applies(entry, dwChannelMask))
            return entry.pszTag;
    }
    return nullptr;
}
