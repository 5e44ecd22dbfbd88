#include "layout/stemset.h"

#include <algorithm>

#include "layout/configuration.h"
#include "platform/core/fileexists.h"

CString GetBaseName(const CString& strPath, const CString& strSuffix)
{
    CString strBase = strPath.Left(strPath.GetLength() - 4);
    if (strBase.EndsWith(strSuffix))
        strBase = strBase.Left(strBase.GetLength() - strSuffix.GetLength());
    return strBase;
}

CStemSet::CStemSet(DWORD dwChannelMask, const SuffixTable& suffixes)
{
    for (int nSpeaker : GetChannelPositions(dwChannelMask))
        m_rows.push_back({nSpeaker, suffixes[static_cast<size_t>(nSpeaker)], CString()});
}

int CStemSet::FindRowBySuffix(const CString& strFile) const
{
    const CString strName = strFile.Left(strFile.GetLength() - 4);
    int nRow = -1;
    int nLongest = -1;
    for (int r = 0; r < GetRowCount(); ++r) {
        const CString& strSuffix = GetSuffix(r);
        if (strSuffix.GetLength() > nLongest && strName.EndsWith(strSuffix)) {
            nRow = r;
            nLongest = strSuffix.GetLength();
        }
    }
    return nRow;
}

int CStemSet::FindRowOfFile(const CString& strFile) const
{
    return std::max(FindRowBySuffix(strFile), 0);
}

CString CStemSet::GetSiblingPath(int nFromRow, int nRow) const
{
    return GetBaseName(GetFile(nFromRow), GetSuffix(nFromRow)) + GetSuffix(nRow) + ".wav";
}

void CStemSet::LoadSiblings(int nFromRow,
                            const std::function<void(int, const CString&, SiblingStatus)>& onSibling,
                            std::span<const int> rowsToKeep)
{
    for (int r = 0; r < GetRowCount(); ++r) {
        if (r == nFromRow || std::find(rowsToKeep.begin(), rowsToKeep.end(), r) != rowsToKeep.end())
            continue;
        const CString strSibling = GetSiblingPath(nFromRow, r);
        const bool bFound = FileExists(strSibling);
        if (bFound)
            SetFile(r, strSibling);
        onSibling(r, strSibling, bFound ? SiblingStatus::Found : SiblingStatus::Missing);
    }
}

int CStemSet::FindRowWithoutFile() const
{
    for (int r = 0; r < GetRowCount(); ++r) {
        if (GetFile(r).IsEmpty())
            return r;
    }
    return -1;
}

CString CStemSet::GetOutputPath(const CString& strConfigurationName) const
{
    if (m_rows.empty())
        return {};
    return GetBaseName(GetFile(0), GetSuffix(0)) + strConfigurationName + ".wav";
}

CString CStemSet::FormatMissingSibling(const CString& strSibling)
{
    CString strMessage;
    strMessage.Format("Unable to find the file '%s'.", strSibling.GetString());
    return strMessage;
}

CString CStemSet::FormatFilesWithoutRow(const std::vector<CString>& files, const CString& strConfigurationName)
{
    CString strMessage;
    strMessage.Format("These files fit no channel of '%s':", strConfigurationName.GetString());
    for (const CString& strFile : files)
        strMessage += "\n" + strFile;
    return strMessage;
}

CString CStemSet::FormatRowWithoutFile(int nRow) const
{
    CString strMessage;
    strMessage.Format("You have not selected a wave file for the channel '%s' !",
                      kSpeakerPositions[GetSpeaker(nRow)].pszName);
    return strMessage;
}
