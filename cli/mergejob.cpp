#include "cli/mergejob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "cli/checkreport.h"
#include "cli/clihost.h"
#include "merge/inputwave.h"
#include "merge/mergeengine.h"
#include "merge/outputheader.h"
#include "merge/sampleformat.h"
#include "core/interruptsignals.h"

namespace {

// Audio on standard output leaves room for nothing else there.
bool IsStandardOutput(const CString& strPath)
{
    struct stat output {};
    struct stat standardOutput {};
    return strPath == kStandardOutputName ||
           (::stat(strPath, &output) == 0 && ::fstat(STDOUT_FILENO, &standardOutput) == 0 &&
            output.st_dev == standardOutput.st_dev && output.st_ino == standardOutput.st_ino);
}

void PrintSummary(const CMergeEngine& engine, const MergeResult& result, const MergeJob& job, std::FILE* pStream)
{
    const OutputFormat& format = result.format;
    const CInputWave& first = engine.GetInput(0);
    const bool bBext = job.bCarryBext && first.m_bextChunk;
    const unsigned long long nFrames = format.nDataBytes / (format.nBitsPerSample / 8u);
    const char* pszPlain = format.eKind == SampleKind::Float ? "plain IEEE float" : "plain PCM";
    std::fprintf(pStream, "Wrote '%s': %u channel%s, %lu Hz, %s, %llu frame%s (%.2f s), %s header",
                result.strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                format.nChannels == 1 ? "" : "s", static_cast<unsigned long>(format.nSampleRate),
                DescribeSampleFormat(format.eKind, format.nBitsPerSample, format.nValidBitsPerSample).GetString(),
                nFrames, nFrames == 1 ? "" : "s", static_cast<double>(nFrames) / format.nSampleRate,
                job.bNoExtensible ? pszPlain : "WAVE_FORMAT_EXTENSIBLE");
    if (!job.bNoExtensible)
        std::fprintf(pStream, " with channel mask 0x%X", static_cast<unsigned>(format.dwChannelMask));
    if (bBext)
        std::fprintf(pStream, ", the \"bext\" chunk of '%s'", first.m_strPath.GetString());
    std::fprintf(pStream, "%s.\n", NeedsRF64(format) ? ", as RF64 (too large for RIFF sizes)" : "");
    std::fflush(pStream);
}

// The lines after the engine's message: why the input failed (the reader's
// reason, the system's, or the two formats that differ), then the output's.
void PrintReasons(const CMergeEngine& engine, const MergeResult& result)
{
    if (const CString strFault = engine.DescribeInputFault(); !strFault.IsEmpty())
        std::fprintf(stderr, "%s\n", strFault.GetString());
    if (result.nReadError)
        std::fprintf(stderr, "%s\n",
                     DescribeSampleReadError(engine.GetInput(*result.nInput).m_strPath, *result.nReadError).GetString());
    if (result.output.eError != OutputError::None)
        std::fprintf(stderr, "%s\n", DescribeOutputOutcome(result.strOutputPath, result.output).GetString());
}

}  // namespace

bool RunMergeJob(const MergeJob& job)
{
    COutputComparer comparer;
    CCliHost host(job, job.bCheck ? &comparer : nullptr);
    CMergeEngine engine(host, job.bCheck ? &comparer : nullptr);

    // Known before the merge: a file written aside is a new file afterwards.
    std::FILE* pSummaryStream = IsStandardOutput(job.strOutputPath) ? stderr : stdout;
    const MergeResult result = engine.Merge(job.inputs);
    if (job.bCheck && (result.Succeeded() || comparer.IsDecided()))
        return ReportCheck(result, comparer, job);
    if (!result.Succeeded()) {
        if (job.bCheck && GetPendingInterrupt() != 0)
            std::fprintf(stderr, "plexora-merge: interrupted; '%s' was not checked.\n", job.strOutputPath.GetString());
        else if (host.IsInterrupted())
            std::fprintf(stderr, "plexora-merge: interrupted; '%s' was not written.\n", job.strOutputPath.GetString());
        else
            PrintReasons(engine, result);
        return false;
    }
    const CInputWave& first = engine.GetInput(0);
    if (job.bCarryBext && !first.m_bextChunk)
        std::fprintf(stderr, "plexora-merge: '%s' has no \"bext\" chunk to carry.\n", first.m_strPath.GetString());
    if (!job.bQuiet)
        PrintSummary(engine, result, job, pSummaryStream);
    return true;
}
