// What plexora-info says of one WAV file: its header read under the
// Delivered rule for any channel count, told as lines for people or as one
// JSON object for scripts.
#pragma once

#include <optional>
#include <string>

#include "layout/settings.h"
#include "merge/waveheader.h"
#include "core/cstring.h"

struct WaveInfo {
    CString strPath;
    WaveReadOutcome outcome;  // why the file could not be read, if it could not
    WaveHeader header;
    std::optional<std::string> strConfiguration;  // the settings' first configuration with the file's mask
};

// Reads the header of strPath and looks its channel mask up in settings.
WaveInfo ReadWaveInfo(const CString& strPath, const CSettings& settings);

// The path, then one "name: value" line each for the container, the format,
// channels, sample rate, frames and duration, the channel mask with its
// speakers, the configuration and the chunks. For a file that could not be
// read, the reason line alone.
std::string FormatWaveInfo(const WaveInfo& info);

// The same as one JSON object on one line; for a file that could not be
// read, its path and the reason.
std::string FormatWaveInfoJson(const WaveInfo& info);
