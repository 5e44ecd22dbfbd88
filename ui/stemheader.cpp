#include "ui/stemheader.h"

#include "merge/inputwave.h"

StemHeader ReadStemHeader(const CString& strPath)
{
    CInputWave input;
    input.m_strPath = strPath;
    StemHeader header;
    if (!input.ReadInputHeader()) {
        header.outcome = input.m_readOutcome;
        return header;
    }
    header.eKind = input.m_eSampleKind;
    header.nBitsPerSample = input.m_nBitsPerSample;
    header.nValidBitsPerSample = input.m_nValidBitsPerSample;
    header.nSampleRate = input.m_nSampleRate;
    header.nFrames = input.m_nDataBytes / (input.m_nBitsPerSample / 8u);
    return header;
}

CString DescribeFormatAndRate(const StemHeader& header)
{
    CString strText;
    strText.Format("%s, %lu Hz",
                   DescribeSampleFormat(header.eKind, header.nBitsPerSample, header.nValidBitsPerSample).GetString(),
                   static_cast<unsigned long>(header.nSampleRate));
    return strText;
}

CString DescribeStem(const StemHeader& header)
{
    const ULONGLONG nSeconds = header.nFrames / header.nSampleRate;
    const ULONGLONG nMilliseconds = header.nFrames % header.nSampleRate * 1000 / header.nSampleRate;
    const auto nMinutes = static_cast<unsigned long long>(nSeconds / 60);
    CString strLength;
    if (nMinutes >= 60)
        strLength.Format("%llu:%02llu:%02llu.%03llu", nMinutes / 60, nMinutes % 60,
                         static_cast<unsigned long long>(nSeconds % 60), static_cast<unsigned long long>(nMilliseconds));
    else
        strLength.Format("%llu:%02llu.%03llu", nMinutes, static_cast<unsigned long long>(nSeconds % 60),
                         static_cast<unsigned long long>(nMilliseconds));
    return DescribeFormatAndRate(header) + ", " + strLength;
}

bool HasSameFormatAndRate(const StemHeader& header, const StemHeader& other)
{
    return header.eKind == other.eKind && header.nBitsPerSample == other.nBitsPerSample &&
           header.nValidBitsPerSample == other.nValidBitsPerSample && header.nSampleRate == other.nSampleRate;
}
