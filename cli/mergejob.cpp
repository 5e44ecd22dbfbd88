#include "cli/mergejob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/clihost.h"
#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "merge/inputwave.h"
#include "merge/mergeengine.h"
#include "merge/outputheader.h"

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

void PrintSummary(const CMergeEngine& engine, const MergeJob& job, std::FILE* pStream)
{
    OutputFormat format;
    format.nChannels = static_cast<WORD>(engine.m_aInputs.size());
    format.dwDataBytes = engine.m_dwMaxDataBytes;
    format.bNoExtensible = job.bNoExtensible;
    const unsigned nFrames = engine.m_dwMaxDataBytes / 2;
    std::fprintf(pStream, "Wrote '%s': %u channels, %ld Hz, %d-bit, %u frames (%.2f s), %s header",
                engine.m_strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                static_cast<long>(engine.m_nSampleRate), engine.m_nBitsPerSample, nFrames,
                engine.m_nSampleRate > 0 ? static_cast<double>(nFrames) / engine.m_nSampleRate : 0.0,
                job.bNoExtensible ? "plain PCM" : "WAVE_FORMAT_EXTENSIBLE");
    if (!job.bNoExtensible)
        std::fprintf(pStream, " with channel mask 0x%X", static_cast<unsigned>(job.dwChannelMask));
    std::fprintf(pStream, "%s.\n", NeedsRF64(format) ? ", as RF64 (too large for RIFF sizes)" : "");
    std::fflush(pStream);
}

// The line after the engine's message: what the system said about the file
// that failed.
void PrintReasons(const CMergeEngine& engine, const std::vector<std::unique_ptr<CInputWave>>& inputs)
{
    for (const auto& pInput : inputs) {
        if (!pInput->m_readOutcome.Succeeded())
            std::fprintf(stderr, "%s\n", DescribeWaveReadOutcome(pInput->m_strPath, pInput->m_readOutcome).GetString());
        else if (pInput->m_file.HasFailed())
            std::fprintf(stderr, "The file '%s' can't be read: %s.\n", pInput->m_strPath.GetString(),
                         std::strerror(pInput->m_file.GetSystemError()));
    }
    const OutputOutcome& output = engine.m_fileOutput.Outcome();
    if (output.eError != OutputError::None)
        std::fprintf(stderr, "%s\n", DescribeOutputOutcome(engine.m_strOutputPath, output).GetString());
}

// A data chunk that claims more than its file holds is merged with silence
// for the missing part, which is worth knowing.
void WarnOfMissingBytes(const std::vector<std::unique_ptr<CInputWave>>& inputs)
{
    for (const auto& pInput : inputs) {
        if (pInput->m_dwPresentBytes < pInput->m_dwDataBytes)
            std::fprintf(stderr, "plexora-merge: '%s' holds %lu bytes fewer than its data chunk states; "
                         "they were merged as silence.\n", pInput->m_strPath.GetString(),
                         static_cast<unsigned long>(pInput->m_dwDataBytes - pInput->m_dwPresentBytes));
    }
}

}  // namespace

bool RunMergeJob(const MergeJob& job)
{
    const std::vector<int> positions = GetChannelPositions(job.dwChannelMask);
    std::vector<std::unique_ptr<CInputWave>> inputs;
    CCliHost host(job);
    CMergeEngine engine(host);
    for (size_t k = 0; k < job.inputs.size(); ++k) {
        inputs.push_back(std::make_unique<CInputWave>());
        inputs.back()->m_strPath = job.inputs[k];
        if (k < positions.size())
            inputs.back()->m_dwSpeakerMask = kSpeakerPositions[positions[k]].dwMask;
        engine.m_aInputs.push_back(inputs.back().get());
    }

    // Known before the merge: a file written aside is a new file afterwards.
    std::FILE* pSummaryStream = IsStandardOutput(job.strOutputPath) ? stderr : stdout;
    if (!engine.MergeInputs()) {
        if (host.IsInterrupted())
            std::fprintf(stderr, "plexora-merge: interrupted; '%s' was not written.\n", job.strOutputPath.GetString());
        else
            PrintReasons(engine, inputs);
        return false;
    }
    WarnOfMissingBytes(inputs);
    if (!job.bQuiet)
        PrintSummary(engine, job, pSummaryStream);
    return true;
}
