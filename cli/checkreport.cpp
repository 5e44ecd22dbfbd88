#include "cli/checkreport.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "merge/headerfield.h"

namespace {

// "frame 20, channel 3 (Front Center)" for a byte of the samples, or the
// header field's name.
std::string NamePlace(const OutputFormat& format, const COutputComparer& comparer, const MergeJob& job,
                      ULONGLONG nOffset)
{
    const std::vector<BYTE>& header = comparer.GetHeader();
    if (nOffset < header.size())
        return NameHeaderField(header, nOffset);
    const ULONGLONG nSampleBytes = static_cast<ULONGLONG>(format.nBitsPerSample) / 8;
    const ULONGLONG nFrameBytes = nSampleBytes * format.nChannels;
    const ULONGLONG nInData = nOffset - header.size();
    const auto nChannel = static_cast<size_t>(nInData % nFrameBytes / nSampleBytes);
    const std::vector<int> positions = GetChannelPositions(job.dwChannelMask);
    std::string place = "frame " + std::to_string(nInData / nFrameBytes) + ", channel " + std::to_string(nChannel + 1);
    if (nChannel < positions.size())
        place += std::string(" (") + kSpeakerPositions[positions[nChannel]].pszName + ")";
    return place;
}

}  // namespace

bool ReportCheck(const MergeResult& result, const COutputComparer& comparer, const MergeJob& job)
{
    const char* pszPath = job.strOutputPath.GetString();
    const CheckOutcome& outcome = comparer.Outcome();
    const unsigned long long nOffset = outcome.nOffset;
    switch (outcome.eResult) {
    case CheckResult::Identical:
        if (!job.bQuiet)
            std::printf("'%s' is what its %zu files make, byte for byte (%llu bytes).\n", pszPath,
                        static_cast<std::size_t>(result.format.nChannels), nOffset);
        return true;
    case CheckResult::Missing:
        std::fprintf(stderr, "plexora-merge: '%s' can't be opened: %s.\n", pszPath, std::strerror(outcome.nSystemError));
        break;
    case CheckResult::CannotRead:
        std::fprintf(stderr, "plexora-merge: '%s' can't be read at byte %llu: %s.\n", pszPath, nOffset,
                     std::strerror(outcome.nSystemError));
        break;
    case CheckResult::Differs:
        std::fprintf(stderr, "plexora-merge: '%s' differs from what its files make at byte %llu: %s.\n", pszPath,
                     nOffset, NamePlace(result.format, comparer, job, nOffset).c_str());
        break;
    case CheckResult::Shorter:
        std::fprintf(stderr, "plexora-merge: '%s' is shorter than what its files make: it ends at byte %llu, %s.\n",
                     pszPath, nOffset, NamePlace(result.format, comparer, job, nOffset).c_str());
        break;
    case CheckResult::Longer:
        std::fprintf(stderr, "plexora-merge: '%s' is longer than what its files make: it goes on past byte %llu.\n",
                     pszPath, nOffset);
        break;
    }
    return false;
}
