// plexora-info: what WAV files hold, for people or, with --json, for scripts.
// With --levels it also measures every channel's levels and the loudness,
// and warns of what a deliverable should not hold.
// Exit status: 0 every file was read, 1 a file could not be read, 2 usage
// error, 128 + the signal number when a signal ended a measurement.
#include <signal.h>

#include <cstdio>

#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/mergesettings.h"
#include "cli/terminalhost.h"
#include "cli/waveinfo.h"
#include "core/interruptsignals.h"

namespace {

constexpr const char* kDescription =
    "Shows what WAV files hold: container, sample format, channels, sample rate, frames and\n"
    "duration, the channel mask with its speakers and the configuration that has it, and the\n"
    "chunks with their sizes. With --levels, also every channel's levels by its speaker and\n"
    "the programme's loudness (ITU-R BS.1770-4, EBU R 128), with warnings of silent,\n"
    "identical, inverted, clipped and offset channels and of a Low Frequency channel that\n"
    "holds more than bass.";

constexpr const char* kFooter =
    "Files: RIFF, RF64 or BW64 WAV files of integer PCM (8, 16, 24 or 32 bits) or IEEE float\n"
    "(32 or 64 bits), with a plain or a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk and any number\n"
    "of channels. For any other file a line says why it cannot be read.\n\n"
    "--levels, per channel: sample peak (dBFS), true peak (dBTP, 4x oversampled), RMS (dBFS),\n"
    "DC offset (the mean, as a fraction of full scale) and clipped samples (at the format's\n"
    "largest or smallest value, in runs of two or more); for the file: integrated loudness\n"
    "(LUFS), loudness range (LU), and the largest momentary and short-term loudness (LUFS),\n"
    "Low Frequency left out. Warnings: a silent channel, two identical channels or two of\n"
    "inverse polarity, Low Frequency with more than -10 dB of its energy above 120 Hz,\n"
    "clipped samples, a DC offset beyond 1% of full scale. Warnings leave the exit status 0.\n\n"
    "The configurations come from --settings FILE, else from the desktop program's\n"
    "settings.pxr (plexora-merge --list names it), else are the built-in ones.\n\n"
    "Examples:\n"
    "  plexora-info 'drumssurround 5.1.wav'\n"
    "  plexora-info --json stems/*.wav\n"
    "  plexora-info --levels 'drumssurround 5.1.wav'\n\n"
    "Exit status: 0 every file was read, 1 a file could not be read, 2 usage error, 128 + the\n"
    "signal number when a signal (Ctrl-C) ended a measurement.";

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app(kDescription, "plexora-info");
    SetUpCommandLine(app, nullptr, kFooter);
    std::vector<std::string> files;
    bool bJson = false;
    bool bLevels = false;
    app.add_option("FILE", files, "WAV files")->type_name("")->required();
    app.add_flag("--json", bJson, "One JSON object per file, one per line");
    app.add_flag("--levels", bLevels, "Measure levels and loudness, and warn of faults (see below)");
    std::optional<std::string> settingsPath;
    AddSettingsOption(app, settingsPath);
    int nExitCode = kExitSucceeded;
    if (!ParseCommandLine(app, argc, argv, nExitCode))
        return nExitCode;

    CSettings settings;
    if (!LoadMergeSettings(settingsPath, "plexora-info", settings))
        return kExitUsage;

    CatchInterruptSignals({SIGINT, SIGTERM, SIGHUP, SIGPIPE});
    CTerminalHost<IEngineHost> host(false);
    bool bShownOne = false;  // a blank line between the files shown
    for (const std::string& strFile : files) {
        WaveInfo info = ReadWaveInfo(CString(strFile), settings);
        bool bRead = info.outcome.Succeeded();
        std::fflush(stdout);
        for (const WaveWarning& warning : bRead ? info.header.warnings : std::vector<WaveWarning>())
            std::fprintf(stderr, "%s\n", DescribeWaveWarning(info.strPath, warning).GetString());
        if (bRead && bLevels)
            bRead = MeasureWaveLevels(info, host);
        if (GetPendingInterrupt() != 0) {
            std::fflush(stdout);
            std::fprintf(stderr, "plexora-info: interrupted; '%s' was not measured.\n", strFile.c_str());
            return 128 + GetPendingInterrupt();
        }
        if (!bRead)
            nExitCode = kExitFailed;
        if (bJson) {
            std::fputs(FormatWaveInfoJson(info).c_str(), stdout);
        } else if (bRead) {
            std::fputs(bShownOne ? "\n" : "", stdout);
            std::fputs(FormatWaveInfo(info).c_str(), stdout);
            bShownOne = true;
        } else {
            std::fflush(stdout);
            std::fputs(FormatWaveInfo(info).c_str(), stderr);
        }
    }
    return nExitCode;
}
