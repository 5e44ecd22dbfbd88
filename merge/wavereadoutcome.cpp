#include "merge/wavereadoutcome.h"

#include <cstring>

#include "merge/sampleformat.h"

namespace {

const char* PluralS(ULONGLONG n)
{
    return n == 1 ? "" : "s";
}

}  // namespace

CString DescribeWaveReadOutcome(const CString& strPath, const WaveReadOutcome& outcome)
{
    const char* pszPath = strPath.GetString();
    const auto nOffset = static_cast<unsigned long long>(outcome.nOffset);
    const auto dwValue = static_cast<unsigned>(outcome.dwValue);
    CString strText;
    switch (outcome.eError) {
    case WaveReadError::None:
        break;
    case WaveReadError::CannotOpen:
        strText.Format("The file '%s' can't be opened: %s.", pszPath, std::strerror(outcome.nSystemError));
        break;
    case WaveReadError::NotSeekable:
        strText.Format("The file '%s' is not a file that can be read twice.", pszPath);
        break;
    case WaveReadError::NotRiff:
        strText.Format("The file '%s' is not a RIFF file (no \"RIFF\" at byte 0).", pszPath);
        break;
    case WaveReadError::NotWave:
        strText.Format("The file '%s' is not a WAVE file (no \"WAVE\" at byte 8).", pszPath);
        break;
    case WaveReadError::NoFormat:
        strText.Format("The file '%s' has no \"fmt \" chunk (the chunk walk ended at byte %llu).", pszPath, nOffset);
        break;
    case WaveReadError::NoData:
        strText.Format("The file '%s' has no \"data\" chunk (the chunk walk ended at byte %llu).", pszPath, nOffset);
        break;
    case WaveReadError::Truncated:
        strText.Format("The file '%s' ends at byte %llu, inside its header.", pszPath, nOffset);
        break;
    case WaveReadError::ReadError:
        strText.Format("The file '%s' can't be read at byte %llu: %s.", pszPath, nOffset,
                       std::strerror(outcome.nSystemError));
        break;
    case WaveReadError::NotMono:
        strText.Format("The file '%s' is not mono !", pszPath);
        break;
    case WaveReadError::ShortFormat:
        strText.Format("The file '%s' has a \"fmt \" chunk of %u byte%s, short of 16.", pszPath, dwValue,
                       PluralS(dwValue));
        break;
    case WaveReadError::UnsupportedFormat:
        if (const char* pszName = GetFormatTagName(static_cast<WORD>(outcome.dwValue)))
            strText.Format("The file '%s' is in %s (format tag 0x%04X), not in PCM or IEEE float.", pszPath, pszName,
                           dwValue);
        else
            strText.Format("The file '%s' has the format tag 0x%04X, which is neither PCM nor IEEE float.", pszPath,
                           dwValue);
        break;
    case WaveReadError::UnknownSubFormat:
        strText.Format("The file '%s' has a WAVE_FORMAT_EXTENSIBLE SubFormat (at byte %llu) that is neither PCM nor "
                       "IEEE float.", pszPath, nOffset);
        break;
    case WaveReadError::ShortExtensible:
        strText.Format("The file '%s' has a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk of %u bytes, short of 40.", pszPath,
                       dwValue);
        break;
    case WaveReadError::UnsupportedPcmDepth:
        strText.Format("The file '%s' has PCM samples of %u bits; 8, 16, 24 and 32 bits can be read.", pszPath,
                       dwValue);
        break;
    case WaveReadError::UnsupportedFloatDepth:
        strText.Format("The file '%s' has IEEE float samples of %u bits; 32 and 64 bits can be read.", pszPath,
                       dwValue);
        break;
    case WaveReadError::OddValidBits:
        strText.Format("The file '%s' states %u valid bits per sample, which its samples cannot hold.", pszPath,
                       dwValue);
        break;
    case WaveReadError::NoChannels:
        strText.Format("The file '%s' has no channels.", pszPath);
        break;
    case WaveReadError::OddBlockAlign:
        strText.Format("The file '%s' states a block alignment of %u bytes, which does not match its channels and "
                       "bits per sample.", pszPath, dwValue);
        break;
    case WaveReadError::ZeroSampleRate:
        strText.Format("The file '%s' has a sample rate of 0 Hz.", pszPath);
        break;
    case WaveReadError::NoDs64:
        strText.Format("The file '%s' is RF64 or BW64 but has no \"ds64\" chunk at byte %llu.", pszPath, nOffset);
        break;
    case WaveReadError::ShortDs64:
        strText.Format("The file '%s' has a \"ds64\" chunk of %u byte%s, short of 24.", pszPath, dwValue,
                       PluralS(dwValue));
        break;
    }
    return strText;
}

CString DescribeSampleReadError(const CString& strPath, int nSystemError)
{
    CString strText;
    strText.Format("The file '%s' can't be read: %s.", strPath.GetString(), std::strerror(nSystemError));
    return strText;
}

CString DescribeWaveWarning(const CString& strPath, const WaveWarning& warning)
{
    const char* pszPath = strPath.GetString();
    const auto nOffset = static_cast<unsigned long long>(warning.nOffset);
    const auto nValue = static_cast<unsigned long long>(warning.nValue);
    CString strText;
    switch (warning.eWarning) {
    case WaveReadWarning::MissingDataBytes:
        strText.Format("The file '%s' holds %llu byte%s fewer than its data chunk states; its data ends where the "
                       "file does.", pszPath, nValue, PluralS(nValue));
        break;
    case WaveReadWarning::ShortRiffSize:
        strText.Format("The file '%s' states a RIFF size of %llu byte%s, too small to reach its chunks; it was read "
                       "to its end.", pszPath, nValue, PluralS(nValue));
        break;
    case WaveReadWarning::LaterFormat:
        strText.Format("The file '%s' has another \"fmt \" chunk at byte %llu; it was ignored, the first one "
                       "describes the data.", pszPath, nOffset);
        break;
    case WaveReadWarning::SecondData:
        strText.Format("The file '%s' has a second \"data\" chunk at byte %llu; it was ignored.", pszPath, nOffset);
        break;
    }
    return strText;
}
