#include "merge/inputwave.h"

#include "merge/sampleformat.h"

bool CInputWave::ReadInputHeader()
{
    if (!m_file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite)) {
        m_readOutcome = {WaveReadError::CannotOpen, 0, m_file.GetSystemError()};
        return false;
    }
    m_readOutcome = ReadMonoHeader();
    if (!m_readOutcome.Succeeded()) {
        m_file.Close();
        return false;
    }
    return true;
}

WaveReadOutcome CInputWave::ReadMonoHeader()
{
    WaveHeader header;
    const WaveReadOutcome outcome = ReadWaveHeader(m_file, header);
    if (!outcome.Succeeded())
        return outcome;
    const WaveFormat& format = header.format;
    if (format.nChannels != 1)
        return {WaveReadError::NotMono, format.nOffset + kChannelsField, 0, format.nChannels};

    m_nBitsPerSample = format.nBitsPerSample;
    m_nValidBitsPerSample = format.nValidBitsPerSample;
    m_eSampleKind = format.eKind;
    m_nSampleRate = format.nSampleRate;
    const UINT nSampleBytes = m_nBitsPerSample / 8u;
    m_nDataBytes = header.nPresentBytes - header.nPresentBytes % nSampleBytes;
    m_warnings = header.warnings;
    m_bextChunk = header.bext;
    return {};
}

CString DescribeDifference(const CInputWave& input, const CInputWave& first)
{
    auto formatOf = [](const CInputWave& wave) {
        return DescribeSampleFormat(wave.m_eSampleKind, wave.m_nBitsPerSample, wave.m_nValidBitsPerSample);
    };
    auto rateOf = [](const CInputWave& wave) {
        CString strRate;
        strRate.Format("at %lu Hz", static_cast<unsigned long>(wave.m_nSampleRate));
        return strRate;
    };
    // The rate first, as a merge checks it first.
    CString strInput, strFirst;
    if (input.m_nSampleRate != first.m_nSampleRate) {
        strInput = rateOf(input);
        strFirst = rateOf(first);
    } else if (input.m_eSampleKind != first.m_eSampleKind || input.m_nBitsPerSample != first.m_nBitsPerSample ||
               input.m_nValidBitsPerSample != first.m_nValidBitsPerSample) {
        strInput = formatOf(input);
        strFirst = formatOf(first);
    } else {
        return {};
    }
    CString strText;
    strText.Format("The file '%s' is %s; the first file, '%s', is %s.", input.m_strPath.GetString(),
                   strInput.GetString(), first.m_strPath.GetString(), strFirst.GetString());
    return strText;
}
