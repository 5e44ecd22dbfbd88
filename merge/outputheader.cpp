#include "merge/outputheader.h"

namespace {

constexpr ULONGLONG kMaxRiffSize = 0xFFFFFFFF;
constexpr UINT kPlainFormatBytes = 16;
constexpr UINT kPlainFloatFormatBytes = 18;  // with a cbSize of 0
constexpr UINT kExtensibleFormatBytes = 40;
constexpr UINT kFactBytes = 4;
constexpr UINT kDs64Bytes = 28;

// Appends little-endian fields in order.
class HeaderWriter {
public:
    void Tag(const char* pszTag) { m_bytes.insert(m_bytes.end(), pszTag, pszTag + 4); }
    void U16(WORD v) { Le(v, 2); }
    void U32(DWORD v) { Le(v, 4); }
    void U64(ULONGLONG v) { Le(v, 8); }
    void Bytes(const BYTE* p, size_t n) { m_bytes.insert(m_bytes.end(), p, p + n); }
    std::vector<BYTE> Take() { return std::move(m_bytes); }

private:
    void Le(ULONGLONG v, int nBytes)
    {
        for (int i = 0; i < nBytes; ++i)
            m_bytes.push_back(static_cast<BYTE>(v >> (8 * i)));
    }
    std::vector<BYTE> m_bytes;
};

bool IsPlainFloat(const OutputFormat& format)
{
    return format.bNoExtensible && format.eKind == SampleKind::Float;
}

UINT FormatChunkBytes(const OutputFormat& format)
{
    if (!format.bNoExtensible)
        return kExtensibleFormatBytes;
    return IsPlainFloat(format) ? kPlainFloatFormatBytes : kPlainFormatBytes;
}

ULONGLONG Padded(ULONGLONG nSize)
{
    return nSize + (nSize & 1);
}

ULONGLONG DataBytes(const OutputFormat& format)
{
    return static_cast<ULONGLONG>(format.nChannels) * format.nDataBytes;
}

ULONGLONG FrameCount(const OutputFormat& format)
{
    const DWORD nBytesPerSample = format.nBitsPerSample / 8u;
    return nBytesPerSample ? format.nDataBytes / nBytesPerSample : 0;
}

// Everything the RIFF size counts: "WAVE", the "fmt " chunk, the "fact" and
// "bext" chunks if any, the "data" chunk header, the data and its pad byte.
ULONGLONG RiffSize(const OutputFormat& format)
{
    ULONGLONG nSize = 4 + 8 + FormatChunkBytes(format) + 8 + Padded(DataBytes(format));
    if (IsPlainFloat(format))
        nSize += 8 + kFactBytes;
    if (!format.bext.empty())
        nSize += 8 + Padded(format.bext.size());
    return nSize;
}

void WriteFormatChunk(HeaderWriter& out, const OutputFormat& format)
{
    const DWORD nBytesPerSample = format.nBitsPerSample / 8u;
    const DWORD nBlockAlign = nBytesPerSample * format.nChannels;
    const DWORD nAvgBytesPerSec = nBytesPerSample * format.nSampleRate * format.nChannels;
    const WORD wPlainTag = format.eKind == SampleKind::Float ? kFormatIeeeFloat : kFormatPcm;
    out.Tag("fmt ");
    out.U32(FormatChunkBytes(format));
    out.U16(format.bNoExtensible ? wPlainTag : kFormatExtensible);
    out.U16(format.nChannels);
    out.U32(format.nSampleRate);
    out.U32(nAvgBytesPerSec);
    out.U16(static_cast<WORD>(nBlockAlign));
    out.U16(format.nBitsPerSample);
    if (IsPlainFloat(format))
        out.U16(0);  // cbSize: no extension
    if (!format.bNoExtensible) {
        out.U16(22);  // cbSize: the extension that follows
        out.U16(format.nValidBitsPerSample ? format.nValidBitsPerSample : format.nBitsPerSample);
        out.U32(format.dwChannelMask);
        out.U16(wPlainTag);  // the SubFormat GUID: the tag, then the common tail
        out.Bytes(kSubFormatTail, sizeof kSubFormatTail);
    }
}

}  // namespace

bool NeedsRF64(const OutputFormat& format)
{
    return RiffSize(format) > kMaxRiffSize;
}

std::vector<BYTE> ComposeOutputHeader(const OutputFormat& format, bool bRF64)
{
    const ULONGLONG dataBytes = DataBytes(format);
    const ULONGLONG nFrames = FrameCount(format);

    HeaderWriter out;
    if (bRF64) {
        out.Tag("RF64");
        out.U32(0xFFFFFFFF);
        out.Tag("WAVE");
        out.Tag("ds64");
        out.U32(kDs64Bytes);
        out.U64(RiffSize(format) + 8 + kDs64Bytes);
        out.U64(dataBytes);
        out.U64(nFrames);
        out.U32(0);  // no table
    } else {
        out.Tag("RIFF");
        out.U32(static_cast<DWORD>(RiffSize(format)));
        out.Tag("WAVE");
    }
    WriteFormatChunk(out, format);
    if (IsPlainFloat(format)) {
        out.Tag("fact");
        out.U32(kFactBytes);
        out.U32(nFrames < 0xFFFFFFFF ? static_cast<DWORD>(nFrames) : 0xFFFFFFFF);
    }
    if (!format.bext.empty()) {
        out.Tag("bext");
        out.U32(static_cast<DWORD>(format.bext.size()));
        out.Bytes(format.bext.data(), format.bext.size());
        const BYTE pad = 0;
        if (format.bext.size() % 2 == 1)
            out.Bytes(&pad, 1);
    }
    out.Tag("data");
    out.U32(bRF64 ? 0xFFFFFFFF : static_cast<DWORD>(dataBytes));
    return out.Take();
}

bool WriteOutputHeader(IOutputSink& output, const OutputFormat& format)
{
    const std::vector<BYTE> header = ComposeOutputHeader(format, NeedsRF64(format));
    return output.Write(header.data(), static_cast<UINT>(header.size()));
}

bool WriteDataPad(IOutputSink& output, const OutputFormat& format)
{
    const BYTE pad = 0;
    return DataBytes(format) % 2 == 0 || output.Write(&pad, 1);
}
