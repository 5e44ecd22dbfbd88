#include "layout/settings.h"

#include <algorithm>

#include "core/cfile.h"
#include "core/creplacingfile.h"
#include "core/cstdiofile.h"

namespace {

// Readers share the file (0x4020): a program that starts while another one
// reads must not find it locked, fall back to the built-in settings and save
// those over the file at its exit.
constexpr UINT kTextRead = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;

struct BuiltInConfiguration {
    const char* pszName;
    DWORD dwChannelMask;
};

constexpr BuiltInConfiguration kBuiltInConfigurations[] = {
    {"stereo", 0x3},
    {"quadriphony", 0x33},
    {"surround", 0x107},
    {"surround 5.1", 0x3F},
    {"surround 7.1", 0xFF},
};
constexpr int kBuiltInDefaultConfiguration = 3;  // "surround 5.1"

// Reads an integer the way atoi does (leading white space, a sign, digits up
// to the first non-digit, 0 without digits), but wraps modulo 2^32 instead of
// overflowing, so "4294967295" gives -1, that is mask 0xFFFFFFFF.
int ReadLeadingInteger(const char* p)
{
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-')
        bNegative = *p++ == '-';
    DWORD dwValue = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        dwValue = dwValue * 10 + static_cast<DWORD>(*p - '0');
    if (bNegative)
        dwValue = 0 - dwValue;
    return static_cast<int>(dwValue);
}

// A value written with a line break in it would end its line there and
// make the rest of the file read as something else.
std::string OnOneLine(const CString& strValue)
{
    std::string value = strValue.str();
    std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return value;
}

}  // namespace

void CSettings::LoadDefaultSettings()
{
    m_bAutoPadding = true;
    m_bAutoLoading = true;
    m_bAutoExport = true;
    m_bNoExtensible = false;
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        m_strSuffixes[i] = kSpeakerPositions[i].pszDefaultSuffix;
    AppendBuiltInConfigurations();
    m_nDefaultConfiguration = kBuiltInDefaultConfiguration;
}

void CSettings::AppendBuiltInConfigurations()
{
    for (const BuiltInConfiguration& builtIn : kBuiltInConfigurations)
        AddConfiguration(builtIn.pszName, builtIn.dwChannelMask);
}

void CSettings::AddConfiguration(const CString& strName, DWORD dwChannelMask)
{
    m_aConfigurations.push_back(std::make_unique<CConfiguration>(CConfiguration{strName, dwChannelMask}));
}

bool CSettings::RepairConfigurations()
{
    bool bMended = false;
    if (m_aConfigurations.empty()) {
        AppendBuiltInConfigurations();
        bMended = true;
    }
    if (m_nDefaultConfiguration < 0 ||
        static_cast<size_t>(m_nDefaultConfiguration) >= m_aConfigurations.size()) {
        m_nDefaultConfiguration = 0;
        bMended = true;
    }
    return bMended;
}

bool CSettings::ParseStringValue(const CString& strLine, std::string_view key, CString& rValue)
{
    // Every line of the suffix section is tried against every key: no copy
    // of either for a try.
    if (!std::string_view(strLine.str()).starts_with(key))
        return false;
    rValue = strLine.Mid(static_cast<int>(key.size()) + 3);
    return true;
}

bool CSettings::ParseIntValue(const CString& strLine, std::string_view key, int& rValue)
{
    CString strValue;
    if (!ParseStringValue(strLine, key, strValue))
        return false;
    rValue = ReadLeadingInteger(strValue);
    return true;
}

bool CSettings::ParseBoolValue(const CString& strLine, std::string_view key, bool& rValue)
{
    int nValue = 0;
    if (!ParseIntValue(strLine, key, nValue))
        return false;
    rValue = nValue == 1;
    return true;
}

bool CSettings::LoadSettings(const char* pszPath)
{
    m_nDefaultConfiguration = -1;
    CStdioFile file;
    if (!file.Open(pszPath, kTextRead) || file.IsDevice())
        return false;

    enum class Section { None, Options, Suffixes, Configurations };
    Section section = Section::None;
    size_t nSuffixLine = 0;  // never reset, not even by a second header
    int nCount = 0;
    CString strLine;
    while (file.ReadString(strLine)) {
        if (strLine == "[Options]") {
            section = Section::Options;
        } else if (strLine == "[Suffixes]") {
            section = Section::Suffixes;
        } else if (strLine == "[Configurations]") {
            section = Section::Configurations;
        } else if (section == Section::Options) {
            ReadOptionLine(strLine);
        } else if (section == Section::Suffixes) {
            ReadSuffixLine(strLine, nSuffixLine++);
        } else if (section == Section::Configurations) {
            ParseIntValue(strLine, "number of configurations", nCount);
            ParseIntValue(strLine, "default configuration", m_nDefaultConfiguration);
            if (m_nDefaultConfiguration != -1 && nCount > 0)
                ReadConfigurationBlock(file, nCount);
        }
    }
    file.Close();
    return true;
}

void CSettings::ReadOptionLine(const CString& strLine)
{
    ParseBoolValue(strLine, "auto padding", m_bAutoPadding);
    ParseBoolValue(strLine, "auto loading", m_bAutoLoading);
    ParseBoolValue(strLine, "auto export", m_bAutoExport);
    ParseBoolValue(strLine, "no WAVE_FORMAT_EXTENSIBLE", m_bNoExtensible);
}

void CSettings::ReadSuffixLine(const CString& strLine, size_t nSuffixLine)
{
    // "Front Left" and "Front Right" are prefixes of the "... of Center" keys,
    // so they are tried only on the lines where they are written.
    if (nSuffixLine == 0)
        ParseStringValue(strLine, kSpeakerPositions[0].pszName, m_strSuffixes[0]);
    if (nSuffixLine == 1)
        ParseStringValue(strLine, kSpeakerPositions[1].pszName, m_strSuffixes[1]);
    for (int i = 2; i < kSpeakerPositionCount; ++i)
        ParseStringValue(strLine, kSpeakerPositions[i].pszName, m_strSuffixes[i]);
}

void CSettings::ReadConfigurationBlock(CStdioFile& file, int nCount)
{
    // The pairs are taken straight from the file, headers included. Past its
    // end every line reads as empty and matches no key, so the block can stop
    // there: a huge count then costs nothing.
    for (int j = 0; j < nCount; ++j) {
        CString strNameLine;
        CString strMaskLine;
        if (!file.ReadString(strNameLine) || !file.ReadString(strMaskLine))
            return;
        auto pConfiguration = std::make_unique<CConfiguration>();
        CString strKey;
        strKey.Format("configuration #%d", j);
        ParseStringValue(strNameLine, strKey.str(), pConfiguration->m_strName);
        strKey.Format("channel mask #%d", j);
        int nMask = 0;
        if (ParseIntValue(strMaskLine, strKey.str(), nMask)) {
            pConfiguration->m_dwChannelMask = static_cast<DWORD>(nMask);
            m_aConfigurations.push_back(std::move(pConfiguration));
        }
    }
}

bool CSettings::SaveSettings(const char* pszPath, int* pnSystemError) const
{
    CReplacingFile file;
    bool bSaved = file.Create(pszPath, InPlace::Allowed);
    if (bSaved) {
        WriteRecord(file);
        bSaved = file.Flush() && file.Close();
    }
    if (!bSaved && pnSystemError != nullptr)
        *pnSystemError = file.GetSystemError();
    return bSaved;
}

void CSettings::WriteRecord(CStdioFile& file) const
{
    file.WriteString("Plexora settings file\n");
    file.WriteString("Channel configurations and options of Plexora\n");
    file.WriteString("version: 1\n");
    file.WriteString("revision: 0\n");
    file.WriteString("\n");
    file.WriteString("\n");

    CString strLine;
    file.WriteString("[Options]\n");
    strLine.Format("auto padding = %d\n", m_bAutoPadding ? 1 : 0);
    file.WriteString(strLine);
    strLine.Format("auto loading = %d\n", m_bAutoLoading ? 1 : 0);
    file.WriteString(strLine);
    strLine.Format("auto export = %d\n", m_bAutoExport ? 1 : 0);
    file.WriteString(strLine);
    strLine.Format("no WAVE_FORMAT_EXTENSIBLE = %d\n", m_bNoExtensible ? 1 : 0);
    file.WriteString(strLine);
    file.WriteString("\n");

    file.WriteString("[Suffixes]\n");
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        strLine.Format("%s = %s\n", kSpeakerPositions[i].pszName, OnOneLine(m_strSuffixes[i]).c_str());
        file.WriteString(strLine);
    }
    file.WriteString("\n");

    file.WriteString("[Configurations]\n");
    strLine.Format("number of configurations = %d\n", static_cast<int>(m_aConfigurations.size()));
    file.WriteString(strLine);
    strLine.Format("default configuration = %d\n", m_nDefaultConfiguration);
    file.WriteString(strLine);
    for (size_t i = 0; i < m_aConfigurations.size(); ++i) {
        const CConfiguration& configuration = *m_aConfigurations[i];
        strLine.Format("configuration #%d = %s\n", static_cast<int>(i),
                       OnOneLine(configuration.m_strName).c_str());
        file.WriteString(strLine);
        strLine.Format("channel mask #%d = %lu\n", static_cast<int>(i),
                       static_cast<unsigned long>(configuration.m_dwChannelMask));
        file.WriteString(strLine);
    }
}
