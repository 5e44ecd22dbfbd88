// What --list prints.
#pragma once

#include <string>

#include "layout/settings.h"

// Every configuration on its own line, with its index, name, mask in hex
// and channels in order (the default one marked), then every speaker
// position's suffix, then the channel tags of every position that has any.
// Names and suffixes are quoted, so blanks show.
std::string FormatSettingsList(const CSettings& settings);

// The line before them that names the settings file read (empty for the
// built-in settings), so that a user knows which file to change.
std::string FormatSettingsFileLine(const std::string& strFile);
