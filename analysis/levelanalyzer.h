// CLevelAnalyzer: one streaming pass over the samples of a WAV file, with
// bounded memory, that measures every channel's levels, the programme's
// loudness and the warnings they call for. The channels are measured in
// parallel, one task each, beside the loudness of their sum.
#pragma once

#include <string>
#include <vector>

#include "analysis/channelmeter.h"
#include "analysis/loudnessmeter.h"
#include "merge/enginehost.h"
#include "merge/waveheader.h"
#include "core/cfile.h"

enum class LevelError {
    None,
    NoMemory,     // a meter could not get its memory
    CannotRead,   // the system failed a read, or the file shrank
    Interrupted,  // the host was asked to end
};

struct LevelReport {
    std::vector<std::string> names;  // of each channel, by its speaker or number
    std::vector<ChannelLevels> channels;
    LoudnessLevels loudness;
    std::vector<std::string> warnings;
};

class CLevelAnalyzer {
public:
    explicit CLevelAnalyzer(IEngineHost& host) : m_host(host) {}

    // Reads the whole frames the file holds from header.nDataStart on.
    // None fills m_report; otherwise m_nSystemError holds a failed read's errno.
    LevelError Measure(CFile& file, const WaveHeader& header);

    LevelReport m_report;
    int m_nSystemError = 0;

private:
    IEngineHost& m_host;
};
