#include "merge/outputheader.h"

#include <cstring>

namespace {

constexpr ULONGLONG kMaxRiffSize = 0xFFFFFFFF;
constexpr UINT kPlainFormatBytes = 16;
constexpr UINT kExtensibleFormatBytes = 40;
constexpr UINT kDs64Bytes = 28;
constexpr WORD kFormatPcm = 1;
constexpr WORD kFormatExtensible = 0xFFFE;
constexpr BYTE kSubtypePcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                  0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Appends little-endian fields in order.
class HeaderWriter {
public:
    explicit HeaderWriter(BYTE* p) : m_pStart(p), m_p(p) {}
    void Tag(const char* pszTag) { Bytes(pszTag, 4); }
    void U16(WORD v) { Le(v, 2); }
    void U32(DWORD v) { Le(v, 4); }
    void U64(ULONGLONG v) { Le(v, 8); }
    void Bytes(const void* p, UINT n)
    {
        std::memcpy(m_p, p, n);
        m_p += n;
    }
    UINT Length() const { return static_cast<UINT>(m_p - m_pStart); }

private:
    void Le(ULONGLONG v, int nBytes)
    {
        for (int i = 0; i < nBytes; ++i)
            *m_p++ = static_cast<BYTE>(v >> (8 * i));
    }
    BYTE* m_pStart;
    BYTE* m_p;
};

UINT FormatChunkBytes(const OutputFormat& format)
{
    return format.bNoExtensible ? kPlainFormatBytes : kExtensibleFormatBytes;
}

ULONGLONG DataBytes(const OutputFormat& format)
{
    return static_cast<ULONGLONG>(format.nChannels) * format.dwDataBytes;
}

// Everything the RIFF size counts: "WAVE", the "fmt " chunk, the "data"
// chunk header and the data.
ULONGLONG RiffSize(const OutputFormat& format)
{
    return 4 + 8 + FormatChunkBytes(format) + 8 + DataBytes(format);
}

}  // namespace

bool NeedsRF64(const OutputFormat& format)
{
    return RiffSize(format) > kMaxRiffSize;
}

UINT ComposeOutputHeader(const OutputFormat& format, bool bRF64, BYTE* pHeader)
{
    const DWORD nBytesPerSample = format.nBitsPerSample / 8u;
    const DWORD nBlockAlign = nBytesPerSample * format.nChannels;
    const DWORD nAvgBytesPerSec = nBytesPerSample * format.nSampleRate * format.nChannels;
    const ULONGLONG dataBytes = DataBytes(format);

    HeaderWriter out(pHeader);
    if (bRF64) {
        out.Tag("RF64");
        out.U32(0xFFFFFFFF);
        out.Tag("WAVE");
        out.Tag("ds64");
        out.U32(kDs64Bytes);
        out.U64(RiffSize(format) + 8 + kDs64Bytes);
        out.U64(dataBytes);
        out.U64(nBlockAlign ? dataBytes / nBlockAlign : 0);  // sample frames
        out.U32(0);                                          // no table
    } else {
        out.Tag("RIFF");
        out.U32(static_cast<DWORD>(RiffSize(format)));
        out.Tag("WAVE");
    }
    out.Tag("fmt ");
    out.U32(FormatChunkBytes(format));
    out.U16(format.bNoExtensible ? kFormatPcm : kFormatExtensible);
    out.U16(format.nChannels);
    out.U32(format.nSampleRate);
    out.U32(nAvgBytesPerSec);
    out.U16(static_cast<WORD>(nBlockAlign));
    out.U16(format.nBitsPerSample);
    if (!format.bNoExtensible) {
        out.U16(22);  // cbSize: the extension that follows
        out.U16(16);  // wValidBitsPerSample
        out.U32(format.dwChannelMask);
        out.Bytes(kSubtypePcm, sizeof kSubtypePcm);
    }
    out.Tag("data");
    out.U32(bRF64 ? 0xFFFFFFFF : static_cast<DWORD>(dataBytes));
    return out.Length();
}

bool WriteOutputHeader(COutputFile& fileOutput, const OutputFormat& format)
{
    BYTE header[kMaxOutputHeaderBytes];
    const UINT nLength = ComposeOutputHeader(format, NeedsRF64(format), header);
    return fileOutput.Write(header, nLength);
}
