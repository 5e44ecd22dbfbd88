// What plexora-info says of one WAV file: its header as the reader takes it,
// for any channel count, told as lines for people or as one
// JSON object for scripts.
#pragma once

#include <optional>
#include <string>

#include "analysis/levelanalyzer.h"
#include "layout/settings.h"
#include "merge/enginehost.h"
#include "merge/waveheader.h"
#include "core/cstring.h"

struct WaveInfo {
    CString strPath;
    WaveReadOutcome outcome;  // why the file could not be read, if it could not
    WaveHeader header;
    std::optional<std::string> strConfiguration;  // the settings' first configuration with the file's mask
    std::optional<LevelReport> levels;             // after MeasureWaveLevels
    LevelError eLevelError = LevelError::None;     // why the levels could not be measured
    int nLevelSystemError = 0;                     // errno, for a read that failed
};

// Reads the header of strPath and looks its channel mask up in settings.
WaveInfo ReadWaveInfo(const CString& strPath, const CSettings& settings);

// Reads the samples of a file whose header was read, for --levels; the
// host shows the progress. False when they could not be measured, with the
// reason in info.
bool MeasureWaveLevels(WaveInfo& info, IEngineHost& host);

// The path, then one "name: value" line each for the container, the format,
// channels, sample rate, frames and duration, the channel mask with its
// speakers, the configuration and the chunks. For a file that could not be
// read, the reason line alone.
std::string FormatWaveInfo(const WaveInfo& info);

// The same as one JSON object on one line, the levels under "levels"; for
// a file that could not be read or measured, its path and the reason.
std::string FormatWaveInfoJson(const WaveInfo& info);
