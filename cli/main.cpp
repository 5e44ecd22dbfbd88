// plexora-merge -o OUT [-m MASK] [--plain] [-q] IN...
// Exit status: 0 merged, 1 the merge failed, 2 usage error.
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/clihost.h"
#include "cli/mergeoptions.h"
#include "merge/inputwave.h"
#include "merge/mergeengine.h"
#include "merge/outputheader.h"

namespace {

constexpr int kMergeFailed = 1;

void PrintSummary(const CMergeEngine& engine, const MergeOptions& options)
{
    OutputFormat format;
    format.nChannels = static_cast<WORD>(engine.m_aInputs.size());
    format.dwDataBytes = engine.m_dwMaxDataBytes;
    format.bNoExtensible = options.bNoExtensible;
    const unsigned nFrames = engine.m_dwMaxDataBytes / 2;
    std::printf("Wrote '%s': %u channels, %ld Hz, %d-bit, %u frames (%.2f s), %s header",
                engine.m_strOutputPath.GetString(), static_cast<unsigned>(format.nChannels),
                static_cast<long>(engine.m_nSampleRate), engine.m_nBitsPerSample, nFrames,
                engine.m_nSampleRate > 0 ? static_cast<double>(nFrames) / engine.m_nSampleRate : 0.0,
                options.bNoExtensible ? "plain PCM" : "WAVE_FORMAT_EXTENSIBLE");
    if (!options.bNoExtensible)
        std::printf(" with channel mask 0x%X", static_cast<unsigned>(options.dwChannelMask));
    std::printf("%s.\n", NeedsRF64(format) ? ", as RF64 (too large for RIFF sizes)" : "");
}

}  // namespace

int main(int argc, char** argv)
{
    MergeOptions options;
    int nExitCode = 0;
    if (!ParseMergeOptions(argc, argv, options, nExitCode))
        return nExitCode;

    std::vector<std::unique_ptr<CInputWave>> inputs;
    CCliHost host(options);
    CMergeEngine engine(host);
    for (const std::string& strPath : options.inputs) {
        inputs.push_back(std::make_unique<CInputWave>());
        inputs.back()->m_strPath = CString(strPath);
        engine.m_aInputs.push_back(inputs.back().get());
    }

    if (!engine.MergeInputs()) {
        // The engine's message says which file; the reader's own text says why.
        for (const auto& pInput : inputs) {
            if (!pInput->m_strFormatError.IsEmpty())
                std::fprintf(stderr, "%s\n", pInput->m_strFormatError.GetString());
        }
        return kMergeFailed;
    }
    if (!options.bQuiet)
        PrintSummary(engine, options);
    return 0;
}
