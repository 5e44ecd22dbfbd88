#include "cli/mergejob.h"

#include <cstdio>
#include <memory>

#include "cli/clihost.h"
#include "layout/configuration.h"
#include "layout/speakerposition.h"
#include "merge/inputwave.h"
#include "merge/mergeengine.h"
#include "merge/outputheader.h"
#include "merge/sampleformat.h"

namespace {

CString DescribeFormatOf(const CInputWave& input)
{
    return DescribeSampleFormat(input.m_eSampleKind, input.m_nBitsPerSample, input.m_nValidBitsPerSample);
}

// The line after the engine's bit-depth message: both formats, by file.
CString DescribeFormatMismatch(const CInputWave& input, const CInputWave& first)
{
    CString strText;
    strText.Format("The file '%s' is %s; the first file, '%s', is %s.", input.m_strPath.GetString(),
                   DescribeFormatOf(input).GetString(), first.m_strPath.GetString(),
                   DescribeFormatOf(first).GetString());
    return strText;
}

void PrintSummary(const CMergeEngine& engine, const MergeJob& job)
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
    std::printf("Wrote '%s': %u channels, %ld Hz, %s, %llu frames (%.2f s), %s header",
                engine.m_strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                static_cast<long>(engine.m_nSampleRate), DescribeFormatOf(first).GetString(), nFrames,
                engine.m_nSampleRate > 0 ? static_cast<double>(nFrames) / engine.m_nSampleRate : 0.0,
                job.bNoExtensible ? pszPlain : "WAVE_FORMAT_EXTENSIBLE");
    if (!job.bNoExtensible)
        std::printf(" with channel mask 0x%X", static_cast<unsigned>(job.dwChannelMask));
    if (bBext)
        std::printf(", the \"bext\" chunk of '%s'", first.m_strPath.GetString());
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
        inputs.back()->m_eFormatRule = WaveFormatRule::Delivered;
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
        if (engine.m_nOtherFormatInput >= 0) {
            const CInputWave& other = *inputs[static_cast<size_t>(engine.m_nOtherFormatInput)];
            std::fprintf(stderr, "%s\n", DescribeFormatMismatch(other, *inputs[0]).GetString());
        }
        return false;
    }
    if (job.bCarryBext && !inputs[0]->m_bextChunk)
        std::fprintf(stderr, "plexora-merge: '%s' has no \"bext\" chunk to carry.\n", inputs[0]->m_strPath.GetString());
    if (!job.bQuiet)
        PrintSummary(engine, job);
    return true;
}
