// Which configuration, or which channel mask, a command line asks for.
#pragma once

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

// The channel mask of a merge of options.files in channel order: -m as
// given, the mask of the configuration named with -c, or that of the first
// configuration with as many channels as files. False with strError when
// there is none or its channel count differs from the number of files.
bool ChooseChannelMask(const MergeOptions& options, const CSettings& settings, DWORD& dwChannelMask,
                       std::string& strError);
