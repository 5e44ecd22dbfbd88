#include "cli/mergeoptions.h"

#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "merge/outputfile.h"

namespace {

constexpr const char* kProgram = "plexora-merge";

constexpr const char* kDescription =
    "Merges mono WAV files, one per speaker position, into one interleaved multichannel WAV "
    "file of their own sample format.";

constexpr const char* kUsage =
    "\nUsage:\n"
    "  plexora-merge [-c NAME | -m MASK] -o OUT FILE...   the files, in channel order\n"
    "  plexora-merge --auto [-c NAME] [-o OUT] FILE...    each file with its siblings\n"
    "  plexora-merge --list                               the configurations, suffixes and tags\n"
    "  plexora-merge --check [options as above] FILE...   compare an output with its stems\n";

constexpr const char* kFooter =
    "Inputs: mono WAV files of integer PCM (8, 16, 24 or 32 bits) or IEEE float (32 or 64\n"
    "bits), with a plain or a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk, in RIFF, RF64 or BW64\n"
    "files; all of one sample format and one sample rate. Compressed formats (A-law, mu-law,\n"
    "ADPCM, ...) are refused. Samples are copied bit for bit; shorter files are padded with\n"
    "silence. The output has the inputs' format, and is RF64 when too large for RIFF.\n\n"
    "Without -c and -m, the first configuration with as many channels as files is used.\n\n"
    "--auto: each FILE is one file of a set such as drumsFL.wav, drumsFR.wav, ... It goes\n"
    "to the channel whose suffix ends its name just before the extension (the longest such\n"
    "suffix, letter case counting; the first channel when none does), every other channel\n"
    "gets the sibling base name + its suffix + .wav, and the output is base name +\n"
    "configuration name + .wav beside the first channel's file. Without -c the default\n"
    "configuration is used. Several files merge several sets, one after the other.\n"
    "A name that no suffix ends but a separator (. _ - or a blank) and a channel tag do\n"
    "(mix.L.wav, take_LFE.wav; plexora-merge --list prints the tags) goes to the tag's\n"
    "channel; its siblings are base name + the separator + their tags in any letter case\n"
    "(two files for one channel refuse the set), and the output is base name + the\n"
    "separator + configuration name + .wav (mix.surround 5.1.wav).\n\n"
    "Settings (configurations, suffixes, the plain-header option) come from --settings FILE,\n"
    "else from the desktop program's settings.pxr (--list names it), else are the built-in\n"
    "ones. They are never written.\n\n"
    "--check: with the options and files of the merge that made OUT, reads the files and\n"
    "compares what the merge would write with OUT, byte for byte, writing nothing. One line\n"
    "and the exit status 0 when they are the same; otherwise the exit status 1 and a line\n"
    "naming the first difference (a header field, or the frame, channel and speaker), or an\n"
    "OUT that is missing, shorter or longer.\n\n"
    "Examples:\n"
    "  plexora-merge -o mix.wav drumsFL.wav drumsFR.wav\n"
    "      stereo: the first configuration with two channels\n"
    "  plexora-merge -c surround -o mix.wav FL.wav FR.wav FC.wav BC.wav\n"
    "  plexora-merge -m 0x60F -o mix.wav FL.wav FR.wav FC.wav LF.wav SL.wav SR.wav\n"
    "  plexora-merge --auto /audio/drumsFL.wav\n"
    "      takes drumsFR.wav ... drumsBR.wav beside it and writes\n"
    "      '/audio/drumssurround 5.1.wav' (with the built-in settings)\n"
    "  plexora-merge --auto -c stereo drumsFL.wav bassFL.wav\n"
    "      two sets, into drumsstereo.wav and bassstereo.wav\n"
    "  plexora-merge --check --auto /audio/drumsFL.wav\n"
    "      is '/audio/drumssurround 5.1.wav' still what its stems make?\n\n"
    "Exit status: 0 merged (with --check: the same), 1 a merge failed (with --check: differs),\n"
    "2 usage error, 128 + the signal number when a signal (Ctrl-C, a closed pipe) interrupted\n"
    "it; the output is then left as it was.";

bool UsageError(const std::string& strMessage)
{
    PrintUsageError(kProgram, strMessage);
    return false;
}

// What the parser cannot say by itself: which options need which others.
bool CheckCombinations(const MergeOptions& options)
{
    if (options.bList) {
        if (!options.files.empty() || options.strOutputPath || options.strConfiguration ||
            options.dwChannelMask || options.bAuto || options.bCheck)
            return UsageError("--list merges nothing; it takes no files, -o, -c, -m, --auto or --check");
        return true;
    }
    if (options.bCheck && options.strOutputPath == kStandardOutputName)
        return UsageError("--check compares with a file; '-o -' names none");
    if (options.strConfiguration && options.dwChannelMask)
        return UsageError("-c and -m both choose the channels; give one of them");
    if (options.bAuto) {
        if (options.dwChannelMask)
            return UsageError("--auto takes the channels and the output name from a configuration; "
                              "name it with -c, not -m");
        if (options.files.empty())
            return UsageError("--auto needs at least one file");
        if (options.strOutputPath && options.files.size() > 1)
            return UsageError("-o names one output; with several --auto files each set is named "
                              "after its own files");
        return true;
    }
    if (!options.strOutputPath)
        return UsageError("no output file: give it with -o, or let --auto name it");
    if (options.files.empty())
        return UsageError("no input files were given");
    return true;
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
    CLI::App app(kDescription, kProgram);
    SetUpCommandLine(app, kUsage, kFooter);
    std::string strMask;
    app.add_option("FILE", options.files, "Mono WAV files, all of one sample format and rate (see below)")
        ->type_name("");
    app.add_option("-o,--output", options.strOutputPath,
                       "The output file, '-' for standard output; an existing one is replaced once the "
                   "merge is complete")
        ->type_name("OUT");
    app.add_option("-c,--configuration", options.strConfiguration,
                   "The configuration: exact name, else the only one equal ignoring letter case")
        ->type_name("NAME");
    CLI::Option* pMask =
        app.add_option("-m,--mask", strMask, "The channel mask, decimal or 0x-hex, one speaker bit per file")
            ->type_name("MASK");
    app.add_flag("--auto", options.bAuto, "Merge each FILE with its siblings (see below)");
    AddSettingsOption(app, options.strSettingsPath);
    app.add_flag("--list", options.bList, "Print the configurations and the suffixes");
    app.add_flag("--plain", options.bPlain, "A plain header without the channel mask, whatever the settings say");
    app.add_flag("--bext", options.bBext, "Carry the first file's \"bext\" chunk (Broadcast Wave) into the output");
    app.add_flag("-q,--quiet", options.bQuiet, "No progress bar and no summary");
    app.add_flag("--check", options.bCheck, "Compare OUT with what the merge would write; write nothing");

    nExitCode = kExitUsage;
    if (!ParseCommandLine(app, argc, argv, nExitCode))
        return false;

    if (pMask->count() > 0) {
        DWORD dwMask = 0;
        if (!ParseChannelMask(strMask, dwMask))
            return UsageError("'" + strMask + "' is not a channel mask (decimal or 0x-hex, 32 bits)");
        options.dwChannelMask = dwMask;
    }
    return CheckCombinations(options);
}
