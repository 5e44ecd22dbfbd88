// One set of --auto: the rows of a configuration filled from one file and
// its siblings, as the main dialog fills them when that file is picked for
// its row with auto loading on, and the name auto export gives the output.
#pragma once

#include <vector>

#include "layout/settings.h"
#include "platform/core/cstring.h"

struct AutoSet {
    std::vector<int> positions;    // the speaker position of each row
    std::vector<CString> files;    // the file of each row; empty while none was found
    std::vector<CString> missing;  // the siblings that were not found, in row order
};

// The row whose position's suffix ends strFile's name just before its last
// 4 bytes, letter case counting; the longest such suffix wins, and the
// first row among equals. Row 0 when no suffix matches (or there are no rows).
int FindRowOfFile(const CString& strFile, const std::vector<int>& positions, const CSettings& settings);

// Puts strFile in its row and every other row's sibling, base name +
// that row's suffix + ".wav", in that row when the file exists.
AutoSet FillAutoSet(const CString& strFile, DWORD dwChannelMask, const CSettings& settings);

// The first row without a file, or -1 when every row has one.
int FindRowWithoutFile(const AutoSet& set);

// The output beside row 0's file: its base name + the configuration's name
// + ".wav". Empty for a set without rows.
CString GetAutoOutputPath(const AutoSet& set, const CString& strConfigurationName, const CSettings& settings);
