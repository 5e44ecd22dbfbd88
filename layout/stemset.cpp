#include "layout/stemset.h"

#include <algorithm>

#include "core/fileexists.h"

namespace {

// Where the file's name begins: after the last slash.
int NameStart(const CString& strPath)
{
    const size_t nSlash = strPath.str().rfind('/');
    return nSlash == std::string::npos ? 0 : static_cast<int>(nSlash) + 1;
}

}  // namespace

CString GetBaseName(const CString& strPath, const CString& strSuffix)
{
    CString strBase = strPath.Left(strPath.GetLength() - 4);
    if (strBase.EndsWith(strSuffix))
        strBase = strBase.Left(strBase.GetLength() - strSuffix.GetLength());
    return strBase;
}

CString GetSplitBaseName(const CString& strPath, DWORD dwChannelMask,
                         const std::vector<std::unique_ptr<CConfiguration>>& configurations)
{
    CString strName = strPath.Mid(NameStart(strPath));
    const size_t nDot = strName.str().rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName = strName.Left(static_cast<int>(nDot));
    int nLongest = 0;
    for (const auto& pConfiguration : configurations) {
        const CString& strConfiguration = pConfiguration->m_strName;
        if (pConfiguration->m_dwChannelMask == dwChannelMask && strConfiguration.GetLength() > nLongest &&
            strName.EndsWith(strConfiguration))
            nLongest = strConfiguration.GetLength();
    }
    return strName.Left(strName.GetLength() - nLongest);
}

CStemSet::CStemSet(DWORD dwChannelMask, const SuffixTable& suffixes) : m_dwChannelMask(dwChannelMask)
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
    // A '/' in the name ("film L/R") would lead into another folder.
    std::string name = strConfigurationName.str();
    std::replace(name.begin(), name.end(), '/', '-');
    return GetBaseName(GetFile(0), GetSuffix(0)) + CString(std::move(name)) + ".wav";
}

void CStemSet::NameSplitStems(const CString& strPath, const CString& strFolder,
                              const std::vector<std::unique_ptr<CConfiguration>>& configurations)
{
    CString strStart = strPath.Left(NameStart(strPath));
    if (!strFolder.IsEmpty())
        strStart = strFolder.EndsWith("/") ? strFolder : strFolder + "/";
    strStart += GetSplitBaseName(strPath, m_dwChannelMask, configurations);
    for (int r = 0; r < GetRowCount(); ++r)
        SetFile(r, strStart + GetSuffix(r) + ".wav");
}

std::optional<std::pair<int, int>> CStemSet::FindRowsWithSameFile() const
{
    for (int r = 1; r < GetRowCount(); ++r) {
        for (int nEarlier = 0; nEarlier < r; ++nEarlier) {
            if (GetFile(nEarlier) == GetFile(r))
                return std::pair(nEarlier, r);
        }
    }
    return std::nullopt;
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

CString CStemSet::FormatRowsWithSameFile(int nRow, int nOtherRow) const
{
    CString strMessage;
    strMessage.Format("The channels '%s' and '%s' would both be written to '%s'; give them suffixes of their own.",
                      kSpeakerPositions[GetSpeaker(nRow)].pszName, kSpeakerPositions[GetSpeaker(nOtherRow)].pszName,
                      GetFile(nRow).GetString());
    return strMessage;
}

CString CStemSet::FormatRowWithoutFile(int nRow) const
{
    CString strMessage;
    strMessage.Format("You have not selected a wave file for the channel '%s' !",
                      kSpeakerPositions[GetSpeaker(nRow)].pszName);
    return strMessage;
}
