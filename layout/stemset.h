// CStemSet: the stems of one configuration that share a base name, such as
// drumsFL.wav, drumsFR.wav, drumsFC.wav (the settings' suffixes) or
// mix.L.wav, mix.R.wav, mix.C.wav (a separator and a channel tag of
// layout/channeltags.h): one row per channel in channel order, each with its
// speaker's file-name suffix and, once chosen, its file. Which row a file
// belongs to, the names of its siblings, the name of the merged output, the
// names of the stems a merged file splits into and the messages about them
// are decided here, for the main dialog, plexora-merge --auto and
// plexora-split alike.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "core/cstring.h"
#include "core/types.h"

using SuffixTable = std::array<CString, kSpeakerPositionCount>;

// The base name shared by a set of siblings: the path without its last 4
// bytes (whatever they are), and without the speaker suffix when what is
// left ends with it. Bytes are compared exactly, letter case included; an
// empty suffix removes nothing.
CString GetBaseName(const CString& strPath, const CString& strSuffix);

// The base name of the stems a merged file splits into, the inverse of the
// output name: the file's name without its folder and its extension (from
// its last dot, unless that dot begins the name), and without the longest
// configuration name that ends what is left among the configurations whose
// mask is dwChannelMask. Bytes are compared exactly, letter case included.
// For stems named by tags, a separator that stood before that configuration
// name goes too (mix.surround 5.1.wav gives mix, as mix.L.wav ... named it).
CString GetSplitBaseName(const CString& strPath, DWORD dwChannelMask,
                         const std::vector<std::unique_ptr<CConfiguration>>& configurations,
                         std::optional<char> tagSeparator = std::nullopt);

enum class SiblingStatus { Found, Missing, Ambiguous };

// What sibling loading found for one row.
struct SiblingLookup {
    SiblingStatus eStatus;
    CString strPath;               // the file taken, or else the name looked for
    std::vector<CString> matches;  // Ambiguous: every file that fits the row, in name order
};

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
    // equals. The suffixes come first, so an empty one takes every name;
    // only when none matches, the row whose channel tag ends the name after
    // a separator and a base name that is not empty. -1 when neither does.
    int FindRowBySuffix(const CString& strFile) const;
    // As FindRowBySuffix, but row 0 when neither a suffix nor a tag matches.
    int FindRowOfFile(const CString& strFile) const;

    // The sibling of row nFromRow's file for row nRow. A file that ends in
    // its row's suffix, or in none of its row's tags, gives its base name +
    // row nRow's suffix + ".wav"; one that ends in a separator and its row's
    // tag gives its base name + that separator + row nRow's tag (as the
    // table writes it; the suffix for a position without a tag) + ".wav".
    CString GetSiblingPath(int nFromRow, int nRow) const;

    // Every other row, in row order, takes its sibling of row nFromRow's
    // file when that file exists and keeps what it had otherwise; onSibling
    // hears of each before the next row is tried. A sibling named by a tag
    // is the file that has the base name, the separator and any tag of its
    // row in any letter case: two such files leave the row as it was. The
    // rows in rowsToKeep are not looked at.
    void LoadSiblings(int nFromRow, const std::function<void(int nRow, const SiblingLookup&)>& onSibling,
                      std::span<const int> rowsToKeep = {});

    // Whether strFile belongs to the set of row nFromRow's file: it lies in
    // the same folder and its name begins as every name of the set does
    // (the base name, and the separator of a set named by tags), whatever
    // follows: drums_sub.wav is of the set of drumsFL.wav, mix.sub.wav of
    // that of mix.L.wav.
    bool IsInSetOf(int nFromRow, const CString& strFile) const;

    // The first row without a file, or -1 when every row has one.
    int FindRowWithoutFile() const;

    // Beside row 0's file: its base name + the configuration's name, every
    // '/' in it a '-', + ".wav", with no separator; for a set named by tags,
    // with its separator between them (mix.surround 5.1.wav). Empty for a set
    // without rows.
    CString GetOutputPath(const CString& strConfigurationName) const;

    // The stems strPath, a file of this set's mask, splits into: every row's
    // file becomes strFolder, or without it the file's own folder, + its
    // split base name + the row's suffix + ".wav"; with a tag separator,
    // + the separator + the row's tag (its suffix where it has none) + ".wav".
    void NameSplitStems(const CString& strPath, const CString& strFolder,
                        const std::vector<std::unique_ptr<CConfiguration>>& configurations,
                        std::optional<char> tagSeparator = std::nullopt);
    // The first two rows with the same file (equal suffixes, two empty ones
    // among them), in row order; none when every file is a file of its own.
    std::optional<std::pair<int, int>> FindRowsWithSameFile() const;

    // "Unable to find the file '...'." for a missing sibling.
    static CString FormatMissingSibling(const CString& strSibling);
    // The missing siblings of one loading in one message: a line each, then
    // where the suffixes are set.
    static CString FormatMissingSiblings(const std::vector<CString>& siblings);
    // The files that all fit one row's sibling, one per line after a line
    // naming the row's speaker position.
    CString FormatAmbiguousSibling(int nRow, const std::vector<CString>& matches) const;
    // "You have not selected a wave file for the channel '...' !" for a row
    // without a file, naming its speaker position.
    CString FormatRowWithoutFile(int nRow) const;
    // The files that no row's suffix ends, one per line after a line naming
    // the configuration.
    static CString FormatFilesWithoutRow(const std::vector<CString>& files, const CString& strConfigurationName);
    // "The channels 'Side Left' and 'Side Right' would both be written to
    // '...'; give them suffixes of their own." for two rows with one file.
    CString FormatRowsWithSameFile(int nRow, int nOtherRow) const;

private:
    // How a row's file names its set: what every name of the set begins
    // with (the base name, and for tags the separator after it), and what
    // follows (each row's suffix, or each row's tag).
    enum class NamedBy { Suffixes, Tags };
    struct SetNaming {
        CString strStart;
        NamedBy eNamedBy;
    };
    SetNaming GetNaming(int nRow) const;
    CString GetSiblingPath(const SetNaming& naming, int nRow) const;

    struct StemRow {
        int nSpeaker;
        CString strSuffix;
        CString strFile;
    };
    const StemRow& Row(int nRow) const { return m_rows.at(static_cast<size_t>(nRow)); }

    std::vector<StemRow> m_rows;
    DWORD m_dwChannelMask;
};
