// The settings record: the configurations, four options, one file-name
// suffix per speaker position and the default configuration, with the
// built-in values and the settings file. The record does not know where its
// file is; each program passes the path.
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "core/cstring.h"

class CStdioFile;

class CSettings {
public:
    // Appends the five built-in configurations and sets the options, the
    // suffixes and the default index to their built-in values.
    void LoadDefaultSettings();

    // Sets the default index to -1, then reads the file into the record,
    // appending configurations. False only when the file cannot be opened
    // or is a device (which may never end); any content is accepted,
    // unknown lines are ignored.
    bool LoadSettings(const char* pszPath);

    // Writes the whole record, a line break in a value as a blank, and
    // puts the file in place of the old one in one step (CReplacingFile).
    // False when the file cannot be written; the file on disk then stays
    // as it was, unless its folder takes no new file. A file that may be
    // read but not written is never replaced. The system's reason for a
    // failure goes to *pnSystemError when asked for.
    bool SaveSettings(const char* pszPath, int* pnSystemError = nullptr) const;

    // Makes a loaded record one the programs can open with: an empty list
    // gets the built-in configurations, a default index outside the list
    // becomes 0. Options and suffixes are kept. True when anything had to
    // be mended.
    bool RepairConfigurations();

    // A key matches the line's first bytes exactly; the value starts 3 bytes
    // after the key (" = " in a written file, not examined). On a match the
    // value is stored and true returned; otherwise the target is untouched.
    static bool ParseStringValue(const CString& strLine, std::string_view key, CString& rValue);
    // True exactly when the value reads as the integer 1.
    static bool ParseBoolValue(const CString& strLine, std::string_view key, bool& rValue);
    // The value's leading decimal integer as atoi reads it, wrapping modulo
    // 2^32 so that masks written in unsigned decimal read back unchanged.
    static bool ParseIntValue(const CString& strLine, std::string_view key, int& rValue);

    // Appends a configuration at the end of the list, where every list
    // shown of it appends it too.
    void AddConfiguration(const CString& strName, DWORD dwChannelMask);

    std::vector<std::unique_ptr<CConfiguration>> m_aConfigurations;
    bool m_bAutoLoading = false;
    bool m_bAutoPadding = false;
    bool m_bAutoExport = false;
    bool m_bNoExtensible = false;
    std::array<CString, kSpeakerPositionCount> m_strSuffixes;
    int m_nDefaultConfiguration = 0;

private:
    void AppendBuiltInConfigurations();
    void ReadOptionLine(const CString& strLine);
    void ReadSuffixLine(const CString& strLine, size_t nSuffixLine);
    void ReadConfigurationBlock(CStdioFile& file, int nCount);
    void WriteRecord(CStdioFile& file) const;
};
