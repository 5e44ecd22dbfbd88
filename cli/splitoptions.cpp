#include "cli/splitoptions.h"

#include <filesystem>

#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "layout/channeltags.h"

namespace {

constexpr const char* kProgram = "plexora-split";

constexpr const char* kDescription =
    "Splits multichannel WAV files into one mono WAV file per channel, named by the speakers'\n"
    "suffixes or channel tags, in the file's own sample format.";

constexpr const char* kUsage = "\nUsage:\n  plexora-split [-c NAME] [-o DIR] [-t SEP] [-f] FILE...\n";

constexpr const char* kFooter =
    "Files: RIFF, RF64 or BW64 WAV files of integer PCM (8, 16, 24 or 32 bits) or IEEE float\n"
    "(32 or 64 bits), with a plain or a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk. Every sample is\n"
    "copied bit for bit into stems with a plain header: 44 bytes for PCM, float with its\n"
    "\"fact\" chunk.\n\n"
    "Channel k is the speaker of the k-th bit of the file's channel mask, in table order (Front\n"
    "Left, Front Right, Front Center, Low Frequency, Back Left, Back Right, ...). A file without a\n"
    "mask, or whose mask has more or fewer speakers than it has channels, takes the speakers of\n"
    "the configuration named with -c, else of the first configuration with as many channels; a\n"
    "mono file without either is Front Center.\n\n"
    "Each stem is base name + the speaker's suffix + .wav, beside the file or in -o DIR. The\n"
    "base name is the file's name without its extension and without a configuration name of\n"
    "its mask at its end, so 'drumssurround 5.1.wav' splits into drumsFL.wav ... drumsBR.wav,\n"
    "the names plexora-merge --auto reads.\n\n"
    "With -t SEP (., _, - or a blank) each stem is base name + SEP + the speaker's channel\n"
    "tag + .wav instead, as a DAW names them, and plexora-merge --auto reads them too: -t .\n"
    "gives drums.L.wav, drums.R.wav, drums.C.wav, drums.LFE.wav, drums.Ls.wav, drums.Rs.wav\n"
    "(a speaker without a tag: its suffix). plexora-merge --list prints the tags.\n\n"
    "Nothing is written while a stem exists already (unless -f), would be the file itself,\n"
    "or shares its name with another stem. The stems are written aside and put in place\n"
    "together once the last sample is written.\n\n"
    "Settings (configurations and suffixes) come from --settings FILE, else from the desktop\n"
    "program's settings.pxr (plexora-merge --list names it), else are the built-in ones.\n"
    "They are never written.\n\n"
    "Examples:\n"
    "  plexora-split 'drumssurround 5.1.wav'\n"
    "      drumsFL.wav, drumsFR.wav, drumsFC.wav, drumsLF.wav, drumsBL.wav, drumsBR.wav\n"
    "  plexora-split -t _ 'drumssurround 5.1.wav'\n"
    "      drums_L.wav, drums_R.wav, drums_C.wav, drums_LFE.wav, drums_Ls.wav, drums_Rs.wav\n"
    "  plexora-split -o stems -f mix.wav\n"
    "      mixFL.wav ... in the folder stems, replacing earlier ones\n"
    "  plexora-split -c quadriphony old4.wav\n"
    "      a 4-channel file without a mask: old4FL.wav, old4FR.wav, old4BL.wav, old4BR.wav\n\n"
    "Exit status: 0 every file was split, 1 a file was not split, 2 usage error, 128 + the\n"
    "signal number when a signal (Ctrl-C) interrupted it; the stems are then left as they were.";

bool UsageError(const std::string& strMessage)
{
    PrintUsageError(kProgram, strMessage);
    return false;
}

}  // namespace

bool ParseSplitOptions(int argc, char** argv, SplitOptions& options, int& nExitCode)
{
    CLI::App app(kDescription, kProgram);
    SetUpCommandLine(app, kUsage, kFooter);
    std::string strSeparator;
    app.add_option("FILE", options.files, "Multichannel WAV files (see below)")->type_name("")->required();
    app.add_option("-c,--configuration", options.strConfiguration,
                   "The speakers of a file without a usable mask: exact name, else the only one equal "
                   "ignoring letter case")
        ->type_name("NAME");
    app.add_option("-o,--output", options.strFolder, "The folder of the stems; beside each file without it")
        ->type_name("DIR");
    CLI::Option* pTags =
        app.add_option("-t,--tags", strSeparator,
                       "Name the stems by channel tags after SEP: '.', '_', '-' or ' ' (see below)")
            ->type_name("SEP");
    app.add_flag("-f,--force", options.bForce, "Replace stems that exist already");
    AddSettingsOption(app, options.strSettingsPath);
    app.add_flag("-q,--quiet", options.bQuiet, "No progress bar and no summary");

    nExitCode = kExitUsage;
    if (!ParseCommandLine(app, argc, argv, nExitCode))
        return false;

    if (pTags->count() > 0) {
        if (strSeparator.size() != 1 || kTagSeparators.find(strSeparator[0]) == std::string_view::npos)
            return UsageError("-t takes the separator before the channel tags: '.', '_', '-' or ' ', not '" +
                              strSeparator + "'");
        options.tagSeparator = strSeparator[0];
    }
    if (options.strFolder) {
        std::error_code ec;
        if (!std::filesystem::is_directory(*options.strFolder, ec))
            return UsageError("-o names the folder of the stems; '" + *options.strFolder + "' is not a folder");
    }
    return true;
}
