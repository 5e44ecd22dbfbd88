#include "cli/automerge.h"

#include <cstdio>

#include "cli/autoset.h"
#include "cli/mergejob.h"

bool MergeAutoSet(const CString& strFile, const CConfiguration& configuration, const CSettings& settings,
                  const MergeOptions& options)
{
    const AutoSet set = FillAutoSet(strFile, configuration.m_dwChannelMask, settings);
    for (const CString& strMissing : set.missing)
        std::fprintf(stderr, "Unable to find the file '%s'.\n", strMissing.GetString());

    const int nEmptyRow = FindRowWithoutFile(set);
    if (nEmptyRow >= 0) {
        std::fprintf(stderr, "You have not selected a wave file for the channel '%s' !\n",
                     kSpeakerPositions[set.positions[static_cast<size_t>(nEmptyRow)]].pszName);
        return false;
    }

    MergeJob job;
    job.inputs = set.files;
    job.dwChannelMask = configuration.m_dwChannelMask;
    job.strOutputPath = options.strOutputPath ? CString(*options.strOutputPath)
                                              : GetAutoOutputPath(set, configuration.m_strName, settings);
    job.bNoExtensible = options.bPlain || settings.m_bNoExtensible;
    job.bQuiet = options.bQuiet;
    return RunMergeJob(job);
}
