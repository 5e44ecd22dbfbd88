#include "cli/mergejob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/checkreport.h"
#include "cli/clihost.h"
#include "layout/configuration.h"
#include "layout/speakerposition.h"
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

CString DescribeFormatOf(const CInputWave& input)
{
    return DescribeSampleFormat(input.m_eSampleKind, input.m_nBitsPerSample, input.m_nValidBitsPerSample);
}

void PrintSummary(const CMergeEngine& engine, const MergeJob& job, std::FILE* pStream)
{
    const CInputWave& first = *engine.m_aInputs[0];
    const bool bBext = job.bCarryBext && first.m_bextChunk;
    OutputFormat format;
    format.nChannels = static_cast<WORD>(engine.m_aInputs.size());
    format.nBitsPerSample = first.m_nBitsPerSample;
    format.eKind = first.m_eSampleKind;
    format.dwDataBytes = engine.m_dwMaxDataBytes;
    format.bNoExtensible = job.bNoExtensible;
    if (bBext)
        format.bext.resize(first.m_bextChunk->nSize);
    const unsigned long long nFrames = engine.m_dwMaxDataBytes / (first.m_nBitsPerSample / 8u);
    const char* pszPlain = first.m_eSampleKind == SampleKind::Float ? "plain IEEE float" : "plain PCM";
    std::fprintf(pStream, "Wrote '%s': %u channel%s, %ld Hz, %s, %llu frame%s (%.2f s), %s header",
                engine.m_strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                format.nChannels == 1 ? "" : "s", static_cast<long>(engine.m_nSampleRate),
                DescribeFormatOf(first).GetString(), nFrames, nFrames == 1 ? "" : "s",
                engine.m_nSampleRate > 0 ? static_cast<double>(nFrames) / engine.m_nSampleRate : 0.0,
                job.bNoExtensible ? pszPlain : "WAVE_FORMAT_EXTENSIBLE");
    if (!job.bNoExtensible)
        std::fprintf(pStream, " with channel mask 0x%X", static_cast<unsigned>(job.dwChannelMask));
    if (bBext)
        std::fprintf(pStream, ", the \"bext\" chunk of '%s'", first.m_strPath.GetString());
    std::fprintf(pStream, "%s.\n", NeedsRF64(format) ? ", as RF64 (too large for RIFF sizes)" : "");
    std::fflush(pStream);
}

// The line after the engine's message: what the system said about the file
// that failed, or the two formats when they differ.
void PrintReasons(const CMergeEngine& engine, const std::vector<std::unique_ptr<CInputWave>>& inputs)
{
    for (const auto& pInput : inputs) {
        if (!pInput->m_readOutcome.Succeeded())
            std::fprintf(stderr, "%s\n", DescribeWaveReadOutcome(pInput->m_strPath, pInput->m_readOutcome).GetString());
        else if (pInput->m_file.HasFailed())
            std::fprintf(stderr, "The file '%s' can't be read: %s.\n", pInput->m_strPath.GetString(),
                         std::strerror(pInput->m_file.GetSystemError()));
    }
    if (engine.m_nOtherFormatInput >= 0) {
        const CInputWave& other = *inputs[static_cast<size_t>(engine.m_nOtherFormatInput)];
        std::fprintf(stderr, "%s\n", DescribeDifference(other, *inputs[0]).GetString());
    }
    const OutputOutcome& output = engine.m_fileOutput.Outcome();
    if (output.eError != OutputError::None)
        std::fprintf(stderr, "%s\n", DescribeOutputOutcome(engine.m_strOutputPath, output).GetString());
}

}  // namespace

bool RunMergeJob(const MergeJob& job)
{
    const std::vector<int> positions = GetChannelPositions(job.dwChannelMask);
    std::vector<std::unique_ptr<CInputWave>> inputs;
    COutputComparer comparer;
    CCliHost host(job, job.bCheck ? &comparer : nullptr);
    CMergeEngine engine(host);
    if (job.bCheck)
        engine.m_pOutput = &comparer;
    for (size_t k = 0; k < job.inputs.size(); ++k) {
        inputs.push_back(std::make_unique<CInputWave>());
        inputs.back()->m_strPath = job.inputs[k];
        inputs.back()->m_eFormatRule = WaveFormatRule::Delivered;
        if (k < positions.size())
            inputs.back()->m_dwSpeakerMask = kSpeakerPositions[positions[k]].dwMask;
        engine.m_aInputs.push_back(inputs.back().get());
    }

    // Known before the merge: a file written aside is a new file afterwards.
    std::FILE* pSummaryStream = IsStandardOutput(job.strOutputPath) ? stderr : stdout;
    const bool bMerged = engine.MergeInputs();
    if (job.bCheck && (bMerged || comparer.IsDecided()))
        return ReportCheck(engine, comparer, job);
    if (!bMerged) {
        if (job.bCheck && GetPendingInterrupt() != 0)
            std::fprintf(stderr, "plexora-merge: interrupted; '%s' was not checked.\n", job.strOutputPath.GetString());
        else if (host.IsInterrupted())
            std::fprintf(stderr, "plexora-merge: interrupted; '%s' was not written.\n", job.strOutputPath.GetString());
        else
            PrintReasons(engine, inputs);
        return false;
    }
    if (job.bCarryBext && !inputs[0]->m_bextChunk)
        std::fprintf(stderr, "plexora-merge: '%s' has no \"bext\" chunk to carry.\n", inputs[0]->m_strPath.GetString());
    if (!job.bQuiet)
        PrintSummary(engine, job, pSummaryStream);
    return true;
}
