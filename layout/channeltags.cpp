#include "layout/channeltags.h"

#include <algorithm>

#include "layout/speakerposition.h"

namespace {

constexpr ChannelTag kTags[] = {
    {"L", 0, TagScope::Always},
    {"R", 1, TagScope::Always},
    {"C", 2, TagScope::Always},
    {"LFE", 3, TagScope::Always},
    {"LF", 3, TagScope::Always},
    {"Ls", 4, TagScope::WithoutSides},
    {"Rs", 5, TagScope::WithoutSides},
    {"Lsr", 4, TagScope::Always},
    {"Rsr", 5, TagScope::Always},
    {"Lrs", 4, TagScope::Always},
    {"Rrs", 5, TagScope::Always},
    {"Lc", 6, TagScope::Always},
    {"Rc", 7, TagScope::Always},
    {"Cs", 8, TagScope::Always},
    {"Ls", 9, TagScope::WithSides},
    {"Rs", 10, TagScope::WithSides},
    {"Lss", 9, TagScope::Always},
    {"Rss", 10, TagScope::Always},
};

bool Applies(const ChannelTag& tag, DWORD dwChannelMask)
{
    if ((kSpeakerPositions[tag.nSpeaker].dwMask & dwChannelMask) == 0)
        return false;
    const bool bSides = (dwChannelMask & (kSpeakerPositions[9].dwMask | kSpeakerPositions[10].dwMask)) != 0;
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
