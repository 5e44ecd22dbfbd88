#include "cli/automerge.h"

#include <cstdio>

#include "cli/mergejob.h"
#include "layout/stemset.h"

bool MergeAutoSet(const CString& strFile, const CConfiguration& configuration, const CSettings& settings,
                  const MergeOptions& options)
{
    CStemSet set(configuration.m_dwChannelMask, settings.m_strSuffixes);
    if (set.GetRowCount() > 0) {
        const int nFileRow = set.FindRowOfFile(strFile);
        set.SetFile(nFileRow, strFile);
        set.LoadSiblings(nFileRow, [&set](int nRow, const SiblingLookup& sibling) {
            if (sibling.eStatus == SiblingStatus::Missing)
                std::fprintf(stderr, "%s\n", CStemSet::FormatMissingSibling(sibling.strPath).GetString());
            else if (sibling.eStatus == SiblingStatus::Ambiguous)
                std::fprintf(stderr, "%s\n", set.FormatAmbiguousSibling(nRow, sibling.matches).GetString());
        });
    }

    const int nEmptyRow = set.FindRowWithoutFile();
    if (nEmptyRow >= 0) {
        std::fprintf(stderr, "%s\n", set.FormatRowWithoutFile(nEmptyRow).GetString());
        return false;
    }

    MergeJob job;
    for (int r = 0; r < set.GetRowCount(); ++r)
        job.inputs.push_back(set.GetFile(r));
    job.dwChannelMask = configuration.m_dwChannelMask;
    job.strOutputPath = options.strOutputPath ? CString(*options.strOutputPath)
                                              : set.GetOutputPath(configuration.m_strName);
    job.bNoExtensible = options.bPlain || settings.m_bNoExtensible;
    job.bCarryBext = options.bBext;
    job.bQuiet = options.bQuiet;
    job.bCheck = options.bCheck;
    return RunMergeJob(job);
}

CString GetAutoSetFirstStem(const CString& strFile, const CConfiguration& configuration, const CSettings& settings)
{
    CStemSet set(configuration.m_dwChannelMask, settings.m_strSuffixes);
    const int nRow = set.GetRowCount() > 0 ? set.FindRowOfFile(strFile) : 0;
    if (nRow == 0)
        return strFile;
    set.SetFile(nRow, strFile);
    return set.GetSiblingPath(nRow, 0);
}
