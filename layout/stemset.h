// CStemSet: the stems of one configuration that share a base name, such as
// drumsFL.wav, drumsFR.wav, drumsFC.wav: one row per channel in channel
// order, each with its speaker's file-name suffix and, once chosen, its
// file. Which row a file belongs to, the names of its siblings, the name of
// the merged output and the messages about missing files are decided here,
// for the main dialog and plexora-merge --auto alike.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <vector>

#include "layout/speakerposition.h"
#include "platform/core/cstring.h"
#include "platform/core/types.h"

using SuffixTable = std::array<CString, kSpeakerPositionCount>;

// The base name shared by a set of siblings: the path without its last 4
// bytes (whatever they are), and without the speaker suffix when what is
// left ends with it. Bytes are compared exactly, letter case included; an
// empty suffix removes nothing.
CString GetBaseName(const CString& strPath, const CString& strSuffix);

enum class SiblingStatus { Found, Missing };

class CStemSet {
public:
    // The rows of the channel mask, none with a file yet.
    CStemSet(DWORD dwChannelMask, const SuffixTable& suffixes);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetSpeaker(int nRow) const { return Row(nRow).nSpeaker; }
    const CString& GetSuffix(int nRow) const { return Row(nRow).strSuffix; }
    // Empty while the row has no file.
    const CString& GetFile(int nRow) const { return Row(nRow).strFile; }
    void SetFile(int nRow, const CString& strFile) { m_rows.at(static_cast<size_t>(nRow)).strFile = strFile; }

    // The row whose suffix ends strFile's name just before its last 4 bytes:
    // the longest such suffix, letter case counting, and the first row among
    // equals; -1 when no suffix does.
    int FindRowBySuffix(const CString& strFile) const;
    // As FindRowBySuffix, but row 0 when no suffix matches.
    int FindRowOfFile(const CString& strFile) const;

    // The sibling of row nFromRow's file for row nRow: its base name, then
    // row nRow's suffix and ".wav".
    CString GetSiblingPath(int nFromRow, int nRow) const;

    // Every other row, in row order, takes its sibling of row nFromRow's
    // file when that file exists and keeps what it had otherwise; onSibling
    // hears of each, found or missing, before the next row is tried. The
    // rows in rowsToKeep are not looked at.
    void LoadSiblings(int nFromRow,
                      const std::function<void(int nRow, const CString& strSibling, SiblingStatus)>& onSibling,
                      std::span<const int> rowsToKeep = {});

    // The first row without a file, or -1 when every row has one.
    int FindRowWithoutFile() const;

    // Beside row 0's file: its base name + the configuration's name + ".wav",
    // with no separator. Empty for a set without rows.
    CString GetOutputPath(const CString& strConfigurationName) const;

    // "Unable to find the file '...'." for a missing sibling.
    static CString FormatMissingSibling(const CString& strSibling);
    // "You have not selected a wave file for the channel '...' !" for a row
    // without a file, naming its speaker position.
    CString FormatRowWithoutFile(int nRow) const;
    // The files that no row's suffix ends, one per line after a line naming
    // the configuration.
    static CString FormatFilesWithoutRow(const std::vector<CString>& files, const CString& strConfigurationName);

private:
    struct StemRow {
        int nSpeaker;
        CString strSuffix;
        CString strFile;
    };
    const StemRow& Row(int nRow) const { return m_rows.at(static_cast<size_t>(nRow)); }

    std::vector<StemRow> m_rows;
};
