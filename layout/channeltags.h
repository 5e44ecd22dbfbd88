// The channel tags that DAWs, mixing consoles and loudness meters put at the
// end of a stem's name after a separator (mix.L.wav, take_LFE.wav), and the
// speaker position each names. One table for the stem-set rules,
// plexora-split -t and plexora-merge --list.
#pragma once

#include <span>
#include <string_view>

#include "core/types.h"

// Which configurations a tag applies to: Ls and Rs name the Back positions
// where there are no Side positions, and the Side positions where there are.
enum class TagScope { Always, WithoutSides, WithSides };

struct ChannelTag {
    const char* pszTag;  // as printed; matched in any letter case
    int nSpeaker;        // the speaker position it names
    TagScope eScope;
};

// In table order; a position's first tag that applies is the one written.
extern const std::span<const ChannelTag> kChannelTags;

// What may stand between a base name and its tag.
constexpr std::string_view kTagSeparators = "._- ";

// The speaker position that tag names in a configuration of dwChannelMask,
// ASCII letter case aside; -1 when it names none, or one the mask lacks.
int FindTaggedSpeaker(std::string_view tag, DWORD dwChannelMask);

// The tag written for position nSpeaker in a configuration of
// dwChannelMask; null for a position without one (the top positions).
const char* GetChannelTag(int nSpeaker, DWORD dwChannelMask);
