// The settings plexora-merge and plexora-info work with, shared with the
// desktop program.
#pragma once

#include <optional>
#include <string>

#include "layout/settings.h"

// Fills an empty record from the file given with --settings; without it from
// the file the desktop program reads at its start (FindSettingsLocation:
// beside the executable's real path, or the user's own) when there is one,
// else with the built-in settings (saying so, after pszProgram, when that
// file is there but unreadable). The record is then repaired so that it has
// a configuration and a default among them. The file is never written.
// False, after a usage error saying why, when the given file cannot be read
// or is a device (which may never end); a pipe is read. *pstrFileRead, when
// asked for, is the file read, empty for the built-in settings.
bool LoadMergeSettings(const std::optional<std::string>& strSettingsPath, const char* pszProgram,
                       CSettings& settings, std::string* pstrFileRead = nullptr);
