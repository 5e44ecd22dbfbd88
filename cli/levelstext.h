// What plexora-info --levels says of a file's levels: a table of the
// channels, the loudness line and the warnings for people, or the "levels"
// object of its JSON. Silence, minus infinity in dB, is "-inf" in the text
// and null in JSON.
#pragma once

#include <string>

#include "analysis/levelanalyzer.h"

// The lines that follow plexora-info's own for a file.
std::string FormatLevels(const LevelReport& report);

// The object, without a line end.
std::string FormatLevelsJson(const LevelReport& report);
