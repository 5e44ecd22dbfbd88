// One --auto set from file to output, as a click on its row and Process do
// in the desktop program with auto loading and auto export on.
#pragma once

#include "cli/mergeoptions.h"
#include "layout/settings.h"

// Fills the configuration's rows from strFile and its siblings, reports each
// sibling that is missing, refuses the set while a row has no file, and
// merges it into -o or, without it, the automatic name. Messages go to
// standard error in the program's own words. True when the output was written.
bool MergeAutoSet(const CString& strFile, const CConfiguration& configuration, const CSettings& settings,
                  const MergeOptions& options);

// The name of the first channel's stem of strFile's set (strFile itself
// when it is that stem), which names the set whichever of its stems is named.
CString GetAutoSetFirstStem(const CString& strFile, const CConfiguration& configuration, const CSettings& settings);
