#include "cli/mergeoptions.h"

#include <CLI/CLI.hpp>

#include <bit>
#include <cstdio>

namespace {

constexpr int kUsageError = 2;
// The mask bits of the 18 speaker positions; higher bits name no speaker.
constexpr DWORD kSpeakerBits = 0x3FFFF;

// The built-in layouts, by number of channels.
bool BuiltInMask(size_t nChannels, DWORD& dwMask)
{
    switch (nChannels) {
    case 2: dwMask = 0x3; return true;    // stereo
    case 4: dwMask = 0x33; return true;   // quadriphony
    case 6: dwMask = 0x3F; return true;   // surround 5.1
    case 8: dwMask = 0xFF; return true;   // surround 7.1
    default: return false;
    }
}

std::string UsageText(const std::string& strMessage)
{
    return "plexora-merge: " + strMessage + "\nRun with --help for more information.\n";
}

bool UsageError(const std::string& strMessage)
{
    std::fputs(UsageText(strMessage).c_str(), stderr);
    return false;
}

}  // namespace

bool ParseChannelMask(const std::string& strText, DWORD& dwMask)
{
    const bool bHex = strText.size() > 2 && strText[0] == '0' && (strText[1] == 'x' || strText[1] == 'X');
    const int nBase = bHex ? 16 : 10;
    const size_t nFirst = bHex ? 2 : 0;
    if (strText.size() == nFirst)
        return false;
    ULONGLONG value = 0;
    for (size_t i = nFirst; i < strText.size(); ++i) {
        const char c = strText[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (bHex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (bHex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return false;
        value = value * nBase + static_cast<ULONGLONG>(digit);
        if (value > 0xFFFFFFFF)
            return false;
    }
    dwMask = static_cast<DWORD>(value);
    return true;
}

bool ParseMergeOptions(int argc, char** argv, MergeOptions& options, int& nExitCode)
{
    CLI::App app("Merges mono 16-bit WAV files, one per speaker position, into one "
                 "interleaved multichannel WAV file.",
                 "plexora-merge");
    std::string strMask;
    app.add_option("-o,--output", options.strOutputPath, "The output file; an existing one is replaced")
        ->required();
    app.add_option("-m,--mask", strMask,
                   "Channel mask, decimal or 0x-hex; one speaker bit per input. "
                   "Without it: 0x3, 0x33, 0x3F or 0xFF for 2, 4, 6 or 8 inputs");
    app.add_flag("--plain", options.bNoExtensible, "Write a plain PCM header (no WAVE_FORMAT_EXTENSIBLE)");
    app.add_flag("-q,--quiet", options.bQuiet, "No progress bar and no summary");
    app.add_option("inputs", options.inputs, "Mono 16-bit WAV files, in channel order");

    app.failure_message([](const CLI::App*, const CLI::Error& e) { return UsageText(e.what()); });

    nExitCode = kUsageError;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        nExitCode = app.exit(e) == 0 ? 0 : kUsageError;
        return false;
    }

    if (strMask.empty()) {
        if (!BuiltInMask(options.inputs.size(), options.dwChannelMask))
            return UsageError("no built-in layout has " + std::to_string(options.inputs.size()) +
                              " channels; give the channel mask with -m");
    } else if (!ParseChannelMask(strMask, options.dwChannelMask)) {
        return UsageError("'" + strMask + "' is not a channel mask (decimal or 0x-hex, 32 bits)");
    }
    const size_t nSpeakers = static_cast<size_t>(std::popcount(options.dwChannelMask & kSpeakerBits));
    if (nSpeakers != options.inputs.size())
        return UsageError("the channel mask has " + std::to_string(nSpeakers) +
                          " speaker bits; the number of inputs is " + std::to_string(options.inputs.size()));
    return true;
}
