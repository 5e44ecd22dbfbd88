#include "ui/channelrows.h"

#include <algorithm>

#include "layout/configuration.h"
#include "layout/speakerposition.h"

void CChannelRows::Reset(DWORD dwChannelMask)
{
    m_dwChannelMask = dwChannelMask;
    m_rows.clear();
    for (int nSpeaker : GetChannelPositions(dwChannelMask))
        m_rows.push_back({nSpeaker, std::nullopt});
}

void CChannelRows::SetFile(int nRow, const CString& strPath, RowSource eSource)
{
    m_rows.at(static_cast<size_t>(nRow)).file = RowFile{strPath, eSource, ReadStemHeader(strPath)};
}

void CChannelRows::ClearFile(int nRow)
{
    m_rows.at(static_cast<size_t>(nRow)).file.reset();
}

CString CChannelRows::GetLabelText(int nRow) const
{
    const std::optional<RowFile>& file = GetFile(nRow);
    return file ? file->strPath : CString("---");
}

CString CChannelRows::GetToolTip(int nRow) const
{
    const std::optional<RowFile>& file = GetFile(nRow);
    if (!file)
        return {};
    const StemHeader& header = file->header;
    if (!header.outcome.Succeeded())
        return file->strPath + "\n" + DescribeWaveReadOutcome(file->strPath, header.outcome);
    CString strTip = file->strPath + "\n" + DescribeStem(header);
    // The first filled row is the one the others must match, as the first
    // input is in a merge; this row is filled, so there is one.
    const auto first = std::find_if(m_rows.begin(), m_rows.end(), [](const ChannelRow& row) { return row.file.has_value(); });
    const StemHeader& firstHeader = first->file->header;
    if (firstHeader.outcome.Succeeded() && !HasSameFormatAndRate(header, firstHeader))
        strTip += "\nDiffers from " + CString(kSpeakerPositions[first->nSpeaker].pszName) +
                  "'s file: " + DescribeFormatAndRate(firstHeader) + ".";
    return strTip;
}

CStemSet CChannelRows::GetStems(const SuffixTable& suffixes) const
{
    CStemSet stems(m_dwChannelMask, suffixes);
    for (int r = 0; r < GetCount(); ++r) {
        if (const std::optional<RowFile>& file = GetFile(r))
            stems.SetFile(r, file->strPath);
    }
    return stems;
}
