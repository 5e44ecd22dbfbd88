// Which configuration, or which channel mask, a command line asks for.
#pragma once

#include <optional>
#include <string>

#include "cli/mergeoptions.h"
#include "layout/settings.h"

// The configuration named strName: the first whose name is exactly that,
// else the only one equal to it ignoring letter case. Null otherwise, with
// strError naming the configurations there are.
const CConfiguration* FindConfigurationByName(const CSettings& settings, const CString& strName,
                                              std::string& strError);

// The configuration of an --auto run: the one named with -c, else the
// default one (the record must have been repaired). Null with strError
// when -c names none.
const CConfiguration* ChooseAutoConfiguration(const MergeOptions& options, const CSettings& settings,
                                              std::string& strError);

// The first configuration with nChannels channels, or null.
const CConfiguration* FindConfigurationByChannelCount(const CSettings& settings, int nChannels);

// The channel mask of a merge of options.files in channel order: -m as
// given, the mask of the configuration named with -c, or that of the first
// configuration with as many channels as files. False with strError when
// there is none or its channel count differs from the number of files.
bool ChooseChannelMask(const MergeOptions& options, const CSettings& settings, DWORD& dwChannelMask,
                       std::string& strError);

// Where the speakers of a file to split come from.
enum class SplitChannelSource {
    FileMask,       // its channel mask, with as many speaker bits as it has channels
    Configuration,  // the configuration named with -c, else the first with as many channels
    Mono,           // Front Center, the speaker of WAVE's mono layout, for a mono file without either
};

struct SplitChannels {
    DWORD dwChannelMask = 0;
    SplitChannelSource eSource = SplitChannelSource::FileMask;
    const CConfiguration* pConfiguration = nullptr;  // for SplitChannelSource::Configuration
};

// The speakers of the nChannels channels of a file to split whose "fmt "
// chunk states dwFileMask, if any: that mask when its speaker bits are as
// many as the channels; else the mask of pNamed (-c, null without it),
// which must have that many channels, else of the first configuration that
// has; else, for a mono file, Front Center. False with strError, a sentence
// that follows the file's name ("has 3 channels and ..."), when none fits.
bool ChooseSplitChannels(std::optional<DWORD> dwFileMask, int nChannels, const CConfiguration* pNamed,
                         const CSettings& settings, SplitChannels& channels, std::string& strError);
