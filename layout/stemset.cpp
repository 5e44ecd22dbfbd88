#include "layout/stemset.h"

#include <algorithm>
#include <filesystem>

#include "core/fileexists.h"
#include "layout/channeltags.h"

namespace {

// Where the file's name begins: after the last slash.
int NameStart(const CString& strPath)
{
    const size_t nSlash = strPath.str().rfind('/');
    return nSlash == std::string::npos ? 0 : static_cast<int>(nSlash) + 1;
}

// A name (a path without its extension) that ends in a separator and a
// channel tag of the mask, with a base name before them within the file's
// name: an empty one would name siblings and outputs by the separator alone
// (".R.wav" is a hidden file). strStart is the name up to the tag.
struct TaggedName {
    CString strStart;
    int nSpeaker;
};

std::optional<TaggedName> ReadTaggedName(const CString& strName, DWORD dwChannelMask)
{
    const size_t nSeparator = strName.str().find_last_of(kTagSeparators);
    if (nSeparator == std::string::npos || static_cast<int>(nSeparator) <= NameStart(strName))
        return std::nullopt;
    const int nSpeaker = FindTaggedSpeaker(std::string_view(strName.str()).substr(nSeparator + 1), dwChannelMask);
    if (nSpeaker < 0)
        return std::nullopt;
    return TaggedName{strName.Left(static_cast<int>(nSeparator) + 1), nSpeaker};
}

// The names in the folder of strStart (a path up to a file's name) that
// begin with that name and end in ".wav", as paths written like strStart;
// none when the folder cannot be read.
std::vector<CString> FindFilesStartingWith(const CString& strStart, std::error_code& ec)
{
    const int nNameStart = NameStart(strStart);
    const CString strFolder = strStart.Left(nNameStart);
    const std::string start = strStart.Mid(nNameStart).str();
    std::vector<CString> files;
    std::filesystem::directory_iterator entry(strFolder.IsEmpty() ? "." : strFolder.str(), ec);
    for (; !ec && entry != std::filesystem::directory_iterator(); entry.increment(ec)) {
        const std::string name = entry->path().filename().string();
        if (name.size() > start.size() + 4 && name.starts_with(start) && name.ends_with(".wav"))
            files.push_back(strFolder + CString(name));
    }
    std::sort(files.begin(), files.end(), [](const CString& a, const CString& b) { return a.str() < b.str(); });
    return files;
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
                         const std::vector<std::unique_ptr<CConfiguration>>& configurations,
                         std::optional<char> tagSeparator)
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
    const CString strBase = strName.Left(strName.GetLength() - nLongest);
    if (tagSeparator && nLongest > 0 && !strBase.IsEmpty() &&
        kTagSeparators.find(strBase.GetAt(strBase.GetLength() - 1)) != std::string_view::npos)
        return strBase.Left(strBase.GetLength() - 1);
    return strBase;
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
    if (nRow >= 0)
        return nRow;
    if (const auto tagged = ReadTaggedName(strName, m_dwChannelMask)) {
        for (int r = 0; r < GetRowCount(); ++r) {
            if (GetSpeaker(r) == tagged->nSpeaker)
                return r;
        }
    }
    return -1;
}

int CStemSet::FindRowOfFile(const CString& strFile) const
{
    return std::max(FindRowBySuffix(strFile), 0);
}

CStemSet::SetNaming CStemSet::GetNaming(int nRow) const
{
    const CString& strFile = GetFile(nRow);
    const CString strName = strFile.Left(strFile.GetLength() - 4);
    // The suffix first (an empty one ends every name), so that every set
    // named by the suffixes is read as it always was.
    if (!strName.EndsWith(GetSuffix(nRow))) {
        if (const auto tagged = ReadTaggedName(strName, m_dwChannelMask); tagged && tagged->nSpeaker == GetSpeaker(nRow))
            return {tagged->strStart, NamedBy::Tags};
    }
    return {GetBaseName(strFile, GetSuffix(nRow)), NamedBy::Suffixes};
}

CString CStemSet::GetSiblingPath(const SetNaming& naming, int nRow) const
{
    const char* pszTag = GetChannelTag(GetSpeaker(nRow), m_dwChannelMask);
    if (naming.eNamedBy == NamedBy::Tags && pszTag != nullptr)
        return naming.strStart + pszTag + ".wav";
    return naming.strStart + GetSuffix(nRow) + ".wav";
}

CString CStemSet::GetSiblingPath(int nFromRow, int nRow) const
{
    return GetSiblingPath(GetNaming(nFromRow), nRow);
}

void CStemSet::LoadSiblings(int nFromRow, const std::function<void(int, const SiblingLookup&)>& onSibling,
                            std::span<const int> rowsToKeep)
{
    const SetNaming naming = GetNaming(nFromRow);
    // A tag in any letter case, and any tag of the row: the folder is read
    // once for every name that begins with the base name and the separator.
    const bool bTagged = naming.eNamedBy == NamedBy::Tags;
    std::error_code ec;
    const std::vector<CString> tagged = bTagged ? FindFilesStartingWith(naming.strStart, ec) : std::vector<CString>();
    const size_t nTagStart = naming.strStart.str().size();

    for (int r = 0; r < GetRowCount(); ++r) {
        if (r == nFromRow || std::find(rowsToKeep.begin(), rowsToKeep.end(), r) != rowsToKeep.end())
            continue;
        SiblingLookup lookup{SiblingStatus::Missing, GetSiblingPath(naming, r), {}};
        if (bTagged && !ec && GetChannelTag(GetSpeaker(r), m_dwChannelMask) != nullptr) {
            for (const CString& strFile : tagged) {
                const std::string& name = strFile.str();
                const std::string_view tag(name.data() + nTagStart, name.size() - nTagStart - 4);
                if (FindTaggedSpeaker(tag, m_dwChannelMask) == GetSpeaker(r))
                    lookup.matches.push_back(strFile);
            }
        } else if (FileExists(lookup.strPath)) {
            lookup.matches.push_back(lookup.strPath);
        }
        if (lookup.matches.size() == 1) {
            lookup.eStatus = SiblingStatus::Found;
            lookup.strPath = lookup.matches.front();
            SetFile(r, lookup.strPath);
        } else if (lookup.matches.size() > 1) {
            lookup.eStatus = SiblingStatus::Ambiguous;
        }
        onSibling(r, lookup);
    }
}

bool CStemSet::IsInSetOf(int nFromRow, const CString& strFile) const
{
    // What every name of the set begins with: the base name, and for tags
    // the separator after it. Not in a folder below: nothing after it is a
    // folder's.
    const CString strBase = GetNaming(nFromRow).strStart;
    return strFile.str().starts_with(strBase.str()) &&
           strFile.str().find('/', static_cast<size_t>(strBase.GetLength())) == std::string::npos;
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
    return GetNaming(0).strStart + CString(std::move(name)) + ".wav";
}

void CStemSet::NameSplitStems(const CString& strPath, const CString& strFolder,
                              const std::vector<std::unique_ptr<CConfiguration>>& configurations,
                              std::optional<char> tagSeparator)
{
    CString strStart = strPath.Left(NameStart(strPath));
    if (!strFolder.IsEmpty())
        strStart = strFolder.EndsWith("/") ? strFolder : strFolder + "/";
    strStart += GetSplitBaseName(strPath, m_dwChannelMask, configurations, tagSeparator);
    if (tagSeparator)
        strStart += *tagSeparator;
    const SetNaming naming{strStart, tagSeparator ? NamedBy::Tags : NamedBy::Suffixes};
    for (int r = 0; r < GetRowCount(); ++r)
        SetFile(r, GetSiblingPath(naming, r));
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

CString CStemSet::FormatMissingSiblings(const std::vector<CString>& siblings)
{
    CString strMessage;
    for (const CString& strSibling : siblings)
        strMessage += FormatMissingSibling(strSibling) + "\n";
    return strMessage + "The file-name suffix of each speaker position is set in Settings...";
}

CString CStemSet::FormatAmbiguousSibling(int nRow, const std::vector<CString>& matches) const
{
    CString strMessage;
    strMessage.Format("These files all fit the channel '%s'; keep one of them:",
                      kSpeakerPositions[GetSpeaker(nRow)].pszName);
    for (const CString& strFile : matches)
        strMessage += "\n" + strFile;
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
