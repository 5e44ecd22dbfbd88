// The 18 speaker positions. A position's index is its identity everywhere
// (suffix array, channel list, settings file order), and table order is
// channel order: ascending bits of the WAVE_FORMAT_EXTENSIBLE channel mask.
#pragma once

#include "core/types.h"

struct SpeakerPosition {
    const char* pszName;           // button caption, list item, settings file key
    const char* pszDefaultSuffix;  // file-name suffix of the built-in settings
    DWORD dwMask;                  // bit i for position i
};

constexpr int kSpeakerPositionCount = 18;

// The indexes of the positions that rules name (tags, loudness weights,
// the mono layout), in table order.
enum SpeakerIndex : int {
    kFrontLeft,
    kFrontRight,
    kFrontCenter,
    kLowFrequency,
    kBackLeft,
    kBackRight,
    kFrontLeftOfCenter,
    kFrontRightOfCenter,
    kBackCenter,
    kSideLeft,
    kSideRight,
};

extern const SpeakerPosition kSpeakerPositions[kSpeakerPositionCount];
