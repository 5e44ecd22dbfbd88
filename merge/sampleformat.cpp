#include "merge/sampleformat.h"

namespace {

struct FormatTagName {
    WORD wTag;
    const char* pszName;
};

// The compressed formats WAV files are met in.
constexpr FormatTagName kFormatTagNames[] = {
    {0x0000, "an unknown format"},
    {0x0002, "Microsoft ADPCM"},
    {0x0006, "A-law"},
    {0x0007, "mu-law"},
    {0x0011, "IMA ADPCM"},
    {0x0031, "GSM 6.10"},
    {0x0050, "MPEG audio"},
    {0x0055, "MPEG Layer III"},
    {0x0092, "Dolby AC-3 over S/PDIF"},
    {0x00FF, "AAC"},
    {0x0161, "Windows Media Audio"},
    {0x2000, "Dolby AC-3"},
    {0xF1AC, "FLAC"},
};

}  // namespace

CString DescribeSampleFormat(SampleKind eKind, WORD nBitsPerSample, WORD nValidBitsPerSample)
{
    CString strText;
    if (eKind == SampleKind::Float)
        strText.Format("%u-bit float", static_cast<unsigned>(nBitsPerSample));
    else if (nValidBitsPerSample < nBitsPerSample)
        strText.Format("%u-bit PCM in %u-bit samples", static_cast<unsigned>(nValidBitsPerSample),
                       static_cast<unsigned>(nBitsPerSample));
    else
        strText.Format("%u-bit PCM", static_cast<unsigned>(nBitsPerSample));
    return strText;
}

BYTE GetSilenceByte(SampleKind eKind, WORD nBitsPerSample)
{
    return eKind == SampleKind::Pcm && nBitsPerSample == 8 ? 0x80 : 0x00;
}

const char* GetFormatTagName(WORD wFormatTag)
{
    for (const FormatTagName& name : kFormatTagNames) {
        if (name.wTag == wFormatTag)
            return name.pszName;
    }
    return nullptr;
}
