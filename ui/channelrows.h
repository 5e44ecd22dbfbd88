// CChannelRows: what each row of the main dialog holds, the one record of
// it: the row's speaker position and, once chosen, its file, how it came
// there and what its header says. The dialog's labels only show it.
#pragma once

#include <optional>
#include <vector>

#include "core/cstring.h"
#include "core/types.h"
#include "layout/stemset.h"
#include "ui/stemheader.h"

// How a row came by its file: chosen for it by the person (picked through
// its button or dropped), or loaded as a sibling of another row's file.
enum class RowSource { Picked, Sibling };

struct RowFile {
    CString strPath;
    RowSource eSource = RowSource::Picked;
    StemHeader header;  // read when the row took the file
};

class CChannelRows {
public:
    // The rows of the channel mask, none with a file.
    void Reset(DWORD dwChannelMask);

    int GetCount() const { return static_cast<int>(m_rows.size()); }
    const std::optional<RowFile>& GetFile(int nRow) const { return Row(nRow).file; }
    // The row takes the file and reads its header.
    void SetFile(int nRow, const CString& strPath, RowSource eSource);
    void ClearFile(int nRow);

    // What the row's label shows: its file's path, or "---" without one.
    CString GetLabelText(int nRow) const;
    // The row's tip: its file's path, then the format, rate and length its
    // header states or why it can't be loaded, then, when that is not the
    // first filled row's format and rate, which they are. Empty without a file.
    CString GetToolTip(int nRow) const;

    // The rows as a set of stems named by these suffixes, with their files.
    CStemSet GetStems(const SuffixTable& suffixes) const;

private:
    struct ChannelRow {
        int nSpeaker;
        std::optional<RowFile> file;
    };
    const ChannelRow& Row(int nRow) const { return m_rows.at(static_cast<size_t>(nRow)); }

    DWORD m_dwChannelMask = 0;
    std::vector<ChannelRow> m_rows;
};
