#include "merge/waveheader.h"

#include <algorithm>
#include <cstring>

#include "merge/headercursor.h"
#include "merge/littleendian.h"

namespace {

// Streaming writers that cannot know a length in advance write this size,
// and RF64 files write it where "ds64" holds the true one.
constexpr DWORD kUnknownSize = 0xFFFFFFFF;
constexpr UINT kFormatFieldsBytes = 16;
constexpr UINT kExtensibleFieldsBytes = 40;
constexpr UINT kDs64FieldsBytes = 24;  // the RIFF size, the data size, the frame count

ULONGLONG Padded(ULONGLONG nSize)
{
    return nSize == ~0ull ? nSize : nSize + (nSize & 1);
}

bool ReadContainerTag(const BYTE* p, WaveContainer& eContainer)
{
    if (IsTag(p, "RIFF"))
        eContainer = WaveContainer::Riff;
    else if (IsTag(p, "RF64"))
        eContainer = WaveContainer::Rf64;
    else if (IsTag(p, "BW64"))
        eContainer = WaveContainer::Bw64;
    else
        return false;
    return true;
}

class ChunkWalk {
public:
    ChunkWalk(CFile& file, WaveHeader& header) : m_file(file), m_cursor(file), m_header(header)
    {
    }

    WaveReadOutcome Run();

private:
    WaveReadOutcome ReadRiffHeader();
    WaveReadOutcome ReadDs64();
    // One chunk, its 8-byte header read: false when the walk ends here, with
    // m_outcome set for a refusal.
    bool ReadChunk(const BYTE* pChunkHeader, ULONGLONG nChunkAt);
    bool ReadFormatChunk(DWORD dwSize, ULONGLONG nChunkAt);
    bool ReadDataChunk(ULONGLONG nSize);
    // At the RIFF size: whether the walk goes on to the end of the file.
    bool WalksPastRiffSize();
    void Warn(WaveReadWarning eWarning, ULONGLONG nOffset, ULONGLONG nValue);
    void List(const BYTE* pId, ULONGLONG nOffset, ULONGLONG nSize);
    WaveReadOutcome Finish();

    CFile& m_file;
    HeaderCursor m_cursor;
    WaveHeader& m_header;
    WaveReadOutcome m_outcome;
    ULONGLONG m_nRiffSize = 0;
    ULONGLONG m_nStatedRiffSize = 0;
    ULONGLONG m_nWalk = 4;  // "WAVE", which the RIFF size counts
    bool m_bPastRiffSize = false;  // walking on to the end of the file
    // The last chunk read is a "data" chunk stating 0 or an unknown size, as
    // a recorder leaves it that never came back to write its sizes.
    bool m_bOpenDataLast = false;
    bool m_bDataToEnd = false;  // such a chunk runs to the end of the file
    std::optional<ULONGLONG> m_ds64DataBytes;
    bool m_bHaveFormat = false;
    bool m_bHaveData = false;
    bool m_bCutShort = false;  // the file ends inside a chunk header or the format fields
};

WaveReadOutcome ChunkWalk::Run()
{
    if (!m_cursor.IsSeekable())
        return {WaveReadError::NotSeekable, 0, 0};
    if (WaveReadOutcome riff = ReadRiffHeader(); !riff.Succeeded())
        return riff;
    while (m_nWalk < m_nRiffSize || WalksPastRiffSize()) {
        BYTE chunk[8];
        const ULONGLONG nChunkAt = m_cursor.Offset();
        if (!m_cursor.Read(chunk, 8)) {
            m_bCutShort = !m_cursor.EndedBetween();
            break;
        }
        if (!ReadChunk(chunk, nChunkAt))
            break;
    }
    if (!m_outcome.Succeeded())
        return m_outcome;
    return Finish();
}

WaveReadOutcome ChunkWalk::ReadRiffHeader()
{
    BYTE riff[12];
    if (!m_cursor.Read(riff, 4) || !ReadContainerTag(riff, m_header.eContainer)) {
        const WaveReadOutcome failure = m_cursor.Failure(WaveReadError::NotRiff);
        return failure.eError == WaveReadError::NotRiff ? WaveReadOutcome{WaveReadError::NotRiff, 0, 0} : failure;
    }
    if (!m_cursor.Read(riff + 4, 8))
        return m_cursor.Failure(WaveReadError::Truncated);
    if (!IsTag(riff + 8, "WAVE"))
        return {WaveReadError::NotWave, 8, 0};
    m_nRiffSize = Le32(riff + 4);
    m_nStatedRiffSize = m_nRiffSize;
    if (m_header.eContainer != WaveContainer::Riff) {
        if (WaveReadOutcome ds64 = ReadDs64(); !ds64.Succeeded())
            return ds64;
    }
    m_nRiffSize &= ~1ull;
    return {};
}

// RF64 and BW64 begin with a "ds64" chunk holding the sizes that 32 bits
// cannot; a size field of 0xFFFFFFFF points there.
WaveReadOutcome ChunkWalk::ReadDs64()
{
    const ULONGLONG nChunkAt = m_cursor.Offset();
    BYTE ds64[8 + kDs64FieldsBytes];
    if (!m_cursor.Read(ds64, 8))
        return m_cursor.Failure(WaveReadError::Truncated);
    const DWORD dwSize = Le32(ds64 + 4);
    if (!IsTag(ds64, "ds64"))
        return {WaveReadError::NoDs64, nChunkAt, 0};
    if (dwSize < kDs64FieldsBytes)
        return {WaveReadError::ShortDs64, nChunkAt + 4, 0, dwSize};
    if (!m_cursor.Read(ds64 + 8, kDs64FieldsBytes) || !m_cursor.Skip(Padded(dwSize) - kDs64FieldsBytes))
        return m_cursor.Failure(WaveReadError::Truncated);
    List(ds64, nChunkAt, dwSize);
    if (m_nRiffSize == kUnknownSize)
        m_nRiffSize = m_nStatedRiffSize = Le64(ds64 + 8);
    m_ds64DataBytes = Le64(ds64 + 16);
    m_nWalk += 8 + Padded(dwSize);
    return {};
}

bool ChunkWalk::ReadChunk(const BYTE* pChunkHeader, ULONGLONG nChunkAt)
{
    const DWORD dwSize = Le32(pChunkHeader + 4);
    ULONGLONG nSize = dwSize;
    const bool bData = IsTag(pChunkHeader, "data");
    if (bData && dwSize == kUnknownSize && m_ds64DataBytes)
        nSize = *m_ds64DataBytes;
    List(pChunkHeader, nChunkAt, nSize);
    m_bOpenDataLast = false;

    const bool bFormat = IsTag(pChunkHeader, "fmt ");
    if (bFormat && m_bHaveFormat)
        Warn(WaveReadWarning::LaterFormat, nChunkAt, 0);
    if (bData && m_bHaveData)
        Warn(WaveReadWarning::SecondData, nChunkAt, 0);
    if (bFormat && !m_bHaveFormat) {
        if (!ReadFormatChunk(dwSize, nChunkAt))
            return false;
    } else if (bData && !m_bHaveData) {
        if (!ReadDataChunk(nSize))
            return false;
    } else if (!m_cursor.Skip(Padded(nSize))) {
        m_bCutShort = true;
        return false;
    } else if (IsTag(pChunkHeader, "bext") && !m_header.bext) {
        m_header.bext = WaveChunk{{'b', 'e', 'x', 't'}, nChunkAt, nSize};
    }
    m_nWalk += 8 + Padded(nSize);
    return true;
}

// A data chunk may claim more than the file holds; the walk then just ends
// here, and the data with the file.
bool ChunkWalk::ReadDataChunk(ULONGLONG nSize)
{
    m_header.nDataStart = m_cursor.Offset();
    m_header.nDataBytes = nSize;
    m_bHaveData = true;
    m_bOpenDataLast = nSize == 0 || nSize == kUnknownSize;
    // Past the RIFF size such a chunk is the recorder's last.
    if (m_bPastRiffSize && m_bOpenDataLast) {
        m_bDataToEnd = true;
        return false;
    }
    return m_cursor.Skip(Padded(nSize));
}

// A RIFF size of 0, or one that ends before the chunks that describe the
// samples or inside samples a recorder never gave a size: the rest of the
// file is walked too, with one warning.
bool ChunkWalk::WalksPastRiffSize()
{
    if (m_bPastRiffSize || m_cursor.Offset() >= m_cursor.FileBytes())
        return false;
    if (m_bHaveFormat && m_bHaveData && !m_bOpenDataLast)
        return false;
    m_bPastRiffSize = true;
    Warn(WaveReadWarning::ShortRiffSize, 4, m_nStatedRiffSize);
    if (m_bOpenDataLast) {
        m_bDataToEnd = true;
        return false;
    }
    m_nRiffSize = ~0ull;
    return true;
}

void ChunkWalk::Warn(WaveReadWarning eWarning, ULONGLONG nOffset, ULONGLONG nValue)
{
    m_header.warnings.push_back({eWarning, nOffset, nValue});
}

// WAVE_FORMAT_EXTENSIBLE needs all of its 40 bytes.
bool ChunkWalk::ReadFormatChunk(DWORD dwSize, ULONGLONG nChunkAt)
{
    if (dwSize < kFormatFieldsBytes) {
        m_outcome = {WaveReadError::ShortFormat, nChunkAt + 4, 0, dwSize};
        return false;
    }
    FormatFields fields;
    fields.nOffset = m_cursor.Offset();
    BYTE fmt[kExtensibleFieldsBytes];
    if (!m_cursor.Read(fmt, kFormatFieldsBytes)) {
        m_bCutShort = true;
        return false;
    }
    fields.wFormatTag = Le16(fmt);
    fields.nChannels = Le16(fmt + kChannelsField);
    fields.nSampleRate = Le32(fmt + kSampleRateField);
    fields.nBlockAlign = Le16(fmt + kBlockAlignField);
    fields.wBitsPerSample = Le16(fmt + kBitsPerSampleField);
    UINT nRead = kFormatFieldsBytes;
    if (fields.wFormatTag == kFormatExtensible) {
        if (dwSize < kExtensibleFieldsBytes) {
            m_outcome = {WaveReadError::ShortExtensible, nChunkAt + 4, 0, dwSize};
            return false;
        }
        if (!m_cursor.Read(fmt + nRead, kExtensibleFieldsBytes - nRead)) {
            m_bCutShort = true;
            return false;
        }
        nRead = kExtensibleFieldsBytes;
        fields.wValidBitsPerSample = Le16(fmt + kValidBitsField);
        fields.dwChannelMask = Le32(fmt + 20);
        std::memcpy(fields.subFormat, fmt + kSubFormatField, sizeof fields.subFormat);
    }
    m_outcome = JudgeFormat(fields, m_header.format);
    if (!m_outcome.Succeeded())
        return false;
    m_bHaveFormat = true;
    if (dwSize > nRead && !m_cursor.Skip(Padded(dwSize) - nRead)) {
        m_bCutShort = true;
        return false;
    }
    return true;
}

void ChunkWalk::List(const BYTE* pId, ULONGLONG nOffset, ULONGLONG nSize)
{
    if (m_header.chunks.size() == kMaxListedChunks) {
        ++m_header.nUnlistedChunks;
        return;
    }
    WaveChunk chunk{{}, nOffset, nSize};
    std::memcpy(chunk.id.data(), pId, 4);
    m_header.chunks.push_back(chunk);
}

WaveReadOutcome ChunkWalk::Finish()
{
    if (m_file.HasFailed())
        return m_cursor.Failure(WaveReadError::ReadError);
    const WaveReadError eMissing = m_bCutShort     ? WaveReadError::Truncated
                                   : !m_bHaveFormat ? WaveReadError::NoFormat
                                                    : WaveReadError::NoData;
    if (!m_bHaveFormat || !m_bHaveData)
        return {eMissing, m_cursor.Offset(), 0};
    const ULONGLONG present = m_cursor.FileBytes() - m_header.nDataStart;
    // Take streamed data to run to the end of the file rather than padding
    // the output with gigabytes of silence.
    if (m_bDataToEnd || (m_header.eContainer == WaveContainer::Riff && m_header.nDataBytes == kUnknownSize))
        m_header.nDataBytes = std::min<ULONGLONG>(present, kUnknownSize);
    m_header.nPresentBytes = std::min(present, m_header.nDataBytes);
    if (m_header.nPresentBytes < m_header.nDataBytes)
        Warn(WaveReadWarning::MissingDataBytes, m_header.nDataStart - 8,
             m_header.nDataBytes - m_header.nPresentBytes);
    const auto lDataStart = static_cast<LONGLONG>(m_header.nDataStart);
    if (m_file.Seek(lDataStart, CFile::begin) != lDataStart)
        return m_cursor.Failure(WaveReadError::ReadError);
    return {};
}

}  // namespace

WaveReadOutcome ReadWaveHeader(CFile& file, WaveHeader& header)
{
    header = WaveHeader{};
    return ChunkWalk(file, header).Run();
}
