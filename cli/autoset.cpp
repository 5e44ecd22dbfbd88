#include "cli/autoset.h"

#include "layout/basename.h"
#include "platform/core/fileexists.h"

int FindRowOfFile(const CString& strFile, const std::vector<int>& positions, const CSettings& settings)
{
    const CString strName = strFile.Left(strFile.GetLength() - 4);
    int nRow = 0;
    int nLongest = -1;
    for (size_t r = 0; r < positions.size(); ++r) {
        const CString& strSuffix = settings.m_strSuffixes[static_cast<size_t>(positions[r])];
        if (strSuffix.GetLength() > nLongest && strName.EndsWith(strSuffix)) {
            nRow = static_cast<int>(r);
            nLongest = strSuffix.GetLength();
        }
    }
    return nRow;
}

AutoSet FillAutoSet(const CString& strFile, DWORD dwChannelMask, const CSettings& settings)
{
    AutoSet set;
    set.positions = GetChannelPositions(dwChannelMask);
    set.files.resize(set.positions.size());
    if (set.positions.empty())
        return set;

    const size_t nFileRow = static_cast<size_t>(FindRowOfFile(strFile, set.positions, settings));
    set.files[nFileRow] = strFile;
    const CString strBase =
        GetBaseName(strFile, settings.m_strSuffixes[static_cast<size_t>(set.positions[nFileRow])]);
    for (size_t r = 0; r < set.positions.size(); ++r) {
        if (r == nFileRow)
            continue;
        const CString strSibling =
            strBase + settings.m_strSuffixes[static_cast<size_t>(set.positions[r])] + ".wav";
        if (FileExists(strSibling))
            set.files[r] = strSibling;
        else
            set.missing.push_back(strSibling);
    }
    return set;
}

int FindRowWithoutFile(const AutoSet& set)
{
    for (size_t r = 0; r < set.files.size(); ++r) {
        if (set.files[r].IsEmpty())
            return static_cast<int>(r);
    }
    return -1;
}

CString GetAutoOutputPath(const AutoSet& set, const CString& strConfigurationName, const CSettings& settings)
{
    if (set.files.empty())
        return {};
    const CString& strSuffix = settings.m_strSuffixes[static_cast<size_t>(set.positions[0])];
    return GetBaseName(set.files[0], strSuffix) + strConfigurationName + ".wav";
}
