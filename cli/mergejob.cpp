#include "cli/mergejob.h"

#include <cstdio>
#include <memory>

#include "cli/clihost.h"
#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "merge/inputwave.h"
#include "merge/mergeengine.h"
#include "merge/outputheader.h"

namespace {

void PrintSummary(const CMergeEngine& engine, const MergeJob& job)
{
    OutputFormat format;
    format.nChannels = static_cast<WORD>(engine.m_aInputs.size());
    format.dwDataBytes = engine.m_dwMaxDataBytes;
    format.bNoExtensible = job.bNoExtensible;
    const unsigned nFrames = engine.m_dwMaxDataBytes / 2;
    std::printf("Wrote '%s': %u channels, %ld Hz, %d-bit, %u frames (%.2f s), %s header",
                engine.m_strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                static_cast<long>(engine.m_nSampleRate), engine.m_nBitsPerSample, nFrames,
                engine.m_nSampleRate > 0 ? static_cast<double>(nFrames) / engine.m_nSampleRate : 0.0,
                job.bNoExtensible ? "plain PCM" : "WAVE_FORMAT_EXTENSIBLE");
    if (!job.bNoExtensible)
        std::printf(" with channel mask 0x%X", static_cast<unsigned>(job.dwChannelMask));
    std::printf("%s.\n", NeedsRF64(format) ? ", as RF64 (too large for RIFF sizes)" : "");
    std::fflush(stdout);
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

    if (!engine.MergeInputs()) {
        // The engine's message says which file; the reader's outcome says why.
        for (const auto& pInput : inputs) {
            if (!pInput->m_readOutcome.Succeeded())
                std::fprintf(stderr, "%s\n", DescribeWaveReadOutcome(pInput->m_strPath, pInput->m_readOutcome).GetString());
        }
        return false;
    }
    if (!job.bQuiet)
        PrintSummary(engine, job);
    return true;
}
