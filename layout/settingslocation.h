// Where the programs keep settings.pxr. Beside the program while the user
// may write its folder, so that a copy in a folder of one's own keeps its
// settings with it; otherwise (an installed program) in the user's own
// configuration folder, the file beside the program serving as the
// system's defaults until the user's own file exists.
#pragma once

#include "core/cstring.h"

struct SettingsLocation {
    CString strSavePath;  // where the desktop program writes the settings
    CString strReadPath;  // what the programs read: the saved file once it exists, else the one beside the program
};

// strProgramDir: the folder of the program's real path, without a
// trailing '/' ("" for the root).
SettingsLocation FindSettingsLocation(const CString& strProgramDir);

// Makes the missing folders above strFilePath, each for its owner only (the
// user's settings are nobody else's), so that a save can create the file.
// 0, or the system's error number.
int MakeSettingsFolder(const CString& strFilePath);
