#include "merge/wavereadoutcome.h"

#include <cstring>

CString DescribeWaveReadOutcome(const CString& strPath, const WaveReadOutcome& outcome)
{
    const char* pszPath = strPath.GetString();
    const auto nOffset = static_cast<unsigned long long>(outcome.nOffset);
    CString strText;
    switch (outcome.eError) {
    case WaveReadError::None:
        break;
    case WaveReadError::CannotOpen:
        strText.Format("The file '%s' can't be opened: %s.", pszPath, std::strerror(outcome.nSystemError));
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
    case WaveReadError::NotSixteenBit:
        strText.Format("The file '%s' is not in 16-bit !", pszPath);
        break;
    case WaveReadError::NotMono:
        strText.Format("The file '%s' is not mono !", pszPath);
        break;
    }
    return strText;
}
