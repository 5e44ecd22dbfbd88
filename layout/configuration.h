// A configuration is a named channel mask; its channels are the speaker
// positions whose bit is set, in table order. Bits above the 18 table bits
// make no channel but stay in the stored mask.
#pragma once

#include <span>
#include <vector>

#include "core/cstring.h"
#include "core/types.h"

class CConfiguration {
public:
    CString m_strName;
    DWORD m_dwChannelMask = 0;
};

// The speaker positions of a mask in channel order: row r is element r.
std::vector<int> GetChannelPositions(DWORD dwChannelMask);

// The number of channels (rows) of a mask, 0 to 18.
int GetChannelCount(DWORD dwChannelMask);

// The speaker position of row nRow of a mask, or -1 when it has no such row.
// (The main dialog's GetChannelSpeaker applies it to the selected configuration.)
int GetSpeakerOfRow(DWORD dwChannelMask, int nRow);

// The mask of a set of speaker positions; indexes outside the table add nothing.
DWORD GetMaskOfPositions(std::span<const int> positions);
