// plexora-merge with settings files: chosen with --settings, found beside
// the executable, or built in; read but never written.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "tests/cli/runprogram.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

// Two configurations whose names differ only in letter case, a mask with a
// bit past the 18 positions, one without channels, and a default other than 0.
std::string LiveSettings(int nNoExtensible)
{
    return Lines({"Plexora settings file", "written by hand", "", "[Options]",
                  "no WAVE_FORMAT_EXTENSIBLE = " + std::to_string(nNoExtensible), "", "[Suffixes]",
                  "Front Left = _L", "Front Right = _R", "Front Center = _C", "Low Frequency = _LFE",
                  "Back Left = _BL", "Back Right = _BR", "Side Left = _SL", "Side Right = _SR",
                  "Top Center =  t c ", "", "[Configurations]", "number of configurations = 4",
                  "default configuration = 1", "configuration #0 = Live", "channel mask #0 = 3",
                  "configuration #1 = LIVE", "channel mask #1 = 1539", "configuration #2 = Wide",
                  "channel mask #2 = 2147483651", "configuration #3 = none", "channel mask #3 = 0"});
}

const char* const kLiveConfigurations =
    "Configurations:\n"
    "  0: 'Live', mask 0x3: Front Left, Front Right\n"
    "  1: 'LIVE', mask 0x603 (default): Front Left, Front Right, Side Left, Side Right\n"
    "  2: 'Wide', mask 0x80000003: Front Left, Front Right\n"
    "  3: 'none', mask 0x0: no channels\n"
    "Suffixes:\n"
    "  Front Left: '_L'\n";

const char* const kBuiltInList =
    "Configurations:\n"
    "  0: 'stereo', mask 0x3: Front Left, Front Right\n"
    "  1: 'quadriphony', mask 0x33: Front Left, Front Right, Back Left, Back Right\n"
    "  2: 'surround', mask 0x107: Front Left, Front Right, Front Center, Back Center\n"
    "  3: 'surround 5.1', mask 0x3F (default): Front Left, Front Right, Front Center, Low Frequency, "
    "Back Left, Back Right\n"
    "  4: 'surround 7.1', mask 0xFF: Front Left, Front Right, Front Center, Low Frequency, Back Left, "
    "Back Right, Front Left of Center, Front Right of Center\n"
    "Suffixes:\n"
    "  Front Left: 'FL'\n"
    "  Front Right: 'FR'\n"
    "  Front Center: 'FC'\n"
    "  Low Frequency: 'LF'\n"
    "  Back Left: 'BL'\n"
    "  Back Right: 'BR'\n"
    "  Front Left of Center: 'FLC'\n"
    "  Front Right of Center: 'FRC'\n"
    "  Back Center: 'BC'\n"
    "  Side Left: 'SL'\n"
    "  Side Right: 'SR'\n"
    "  Top Center: 'TC'\n"
    "  Top Front Left: 'TFL'\n"
    "  Top Front Center: 'TFC'\n"
    "  Top Front Right: 'TFR'\n"
    "  Top Back Left: 'TBL'\n"
    "  Top Back Center: 'TBC'\n"
    "  Top Back Right: 'TBR'\n";

// Mono files named name0.wav, name1.wav...; returns their data.
std::vector<std::string> WriteInputs(const TempDir& dir, const std::vector<std::string>& names, size_t nBytes)
{
    std::vector<std::string> data;
    for (size_t k = 0; k < names.size(); ++k) {
        data.push_back(PatternBytes(nBytes - 2 * k, static_cast<int>(k)));
        WavBuilder().Fmt(1, 44100, 16).Data(data.back()).Write(dir / names[k]);
    }
    return data;
}

std::vector<std::string> Paths(const TempDir& dir, const std::vector<std::string>& names)
{
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(dir / name);
    return paths;
}

// A copy of the program in its own folder, as a user would install it.
std::string InstallCopy(const TempDir& dir, const std::string& folder)
{
    fs::create_directory(dir / folder);
    const std::string exe = dir / (folder + "/plexora-merge");
    fs::copy_file(PLEXORA_MERGE_EXE, exe);
    fs::permissions(exe, fs::perms::owner_all);
    return exe;
}

TEST(SettingsCliTest, ConfigurationsByNameExactFirstThenIgnoringLetterCase)
{
    TempDir dir;
    WriteWholeFile(dir / "live.pxr", LiveSettings(0));
    const std::vector<std::string> names = {"a.wav", "b.wav", "c.wav", "d.wav"};
    const std::vector<std::string> data = WriteInputs(dir, names, 20);
    const std::vector<std::string> inputs = Paths(dir, names);
    const std::string out = dir / "out.wav";

    struct Case {
        std::vector<std::string> choice;  // -c NAME, or nothing
        size_t nInputs;
        DWORD dwMask;
    };
    const Case cases[] = {
        {{"-c", "Live"}, 2, 0x3},        {{"-c", "LIVE"}, 4, 0x603},
        {{"-c", "wIDE"}, 2, 0x80000003},  // the only one ignoring letter case
        {{}, 2, 0x3},                      // the first with two channels
        {{}, 4, 0x603},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.choice));
        std::vector<std::string> args = {"--settings", dir / "live.pxr", "-q", "-o", out};
        args.insert(args.end(), c.choice.begin(), c.choice.end());
        args.insert(args.end(), inputs.begin(), inputs.begin() + static_cast<long>(c.nInputs));
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
        const std::vector<std::string> used(data.begin(), data.begin() + static_cast<long>(c.nInputs));
        EXPECT_EQ(ReadWholeFile(out),
                  ExpectedHeader(static_cast<std::uint16_t>(c.nInputs), 44100, 20, c.dwMask) + ExpectedData(used, 20));
        fs::remove(out);
    }

    const std::string list = "The configurations are: 'Live', 'LIVE', 'Wide', 'none'";
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"-c", "live", inputs[0], inputs[1]},
         "'live' matches 2 configurations when letter case is ignored; give the name exactly. " + list},
        {{"-c", "Live", inputs[0], inputs[1], inputs[2]},
         "the configuration 'Live' has 2 channels; the number of inputs is 3"},
    };
    for (const auto& [args, message] : refused) {
        SCOPED_TRACE(message);
        std::vector<std::string> all = {"--settings", dir / "live.pxr", "-o", out};
        all.insert(all.end(), args.begin(), args.end());
        const Outcome outcome = RunMerge(dir, all);
        EXPECT_EQ(outcome.nExitCode, 2);
        EXPECT_EQ(outcome.err, "plexora-merge: " + message + "\nRun with --help for more information.\n");
        EXPECT_FALSE(fs::exists(out));
    }

    // A configuration without channels reaches the engine, which refuses it.
    const Outcome none = RunMerge(dir, {"--settings", dir / "live.pxr", "-c", "none", "-o", out});
    EXPECT_EQ(none.nExitCode, 1);
    EXPECT_EQ(none.err, "Unable to process: the configuration has no channels.\n");
    const Outcome autoNone = RunMerge(dir, {"--settings", dir / "live.pxr", "-c", "none", "--auto", inputs[0]});
    EXPECT_EQ(autoNone.nExitCode, 1);
    EXPECT_EQ(autoNone.err, "Unable to process: the configuration has no channels.\n");
    EXPECT_FALSE(fs::exists(out));
}

TEST(SettingsCliTest, AutoUsesTheDefaultConfigurationAndTheSuffixesOfTheFile)
{
    TempDir dir;
    WriteWholeFile(dir / "live.pxr", LiveSettings(0));
    const std::vector<std::string> data = WriteInputs(dir, {"x_L.wav", "x_R.wav", "x_SL.wav", "x_SR.wav"}, 30);

    const Outcome outcome = RunMerge(dir, {"--settings", dir / "live.pxr", "--auto", dir / "x_SL.wav"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
    EXPECT_EQ(ReadWholeFile(dir / "xLIVE.wav"), ExpectedHeader(4, 44100, 30, 0x603) + ExpectedData(data, 30));
    const SoundFile sound = ReadSoundFile(dir / "xLIVE.wav");
    EXPECT_EQ(sound.channelMap, (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_SIDE_LEFT,
                                                  SF_CHANNEL_MAP_SIDE_RIGHT}));
}

TEST(SettingsCliTest, TheOldStyleOptionOfTheFileAndPlainOverridingIt)
{
    TempDir dir;
    WriteWholeFile(dir / "extensible.pxr", LiveSettings(0));
    WriteWholeFile(dir / "plain.pxr", LiveSettings(1));
    const std::vector<std::string> data = WriteInputs(dir, {"x_L.wav", "x_R.wav"}, 12);
    const std::string out = dir / "out.wav";

    struct Case {
        std::vector<std::string> options;
        bool bPlain;
    };
    const Case cases[] = {
        {{"--settings", dir / "extensible.pxr"}, false},
        {{"--settings", dir / "extensible.pxr", "--plain"}, true},
        {{"--settings", dir / "plain.pxr"}, true},
        {{"--settings", dir / "plain.pxr", "--plain"}, true},
        {{}, false},  // the built-in settings
        {{"--plain"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        const std::string expected = ExpectedHeader(2, 44100, 12, 0x3, c.bPlain) + ExpectedData(data, 12);
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"-q", "-o", out, dir / "x_L.wav", dir / "x_R.wav"});
        ASSERT_EQ(RunMerge(dir, args).nExitCode, 0);
        EXPECT_EQ(ReadWholeFile(out), expected);
        const SoundFile sound = ReadSoundFile(out);
        EXPECT_EQ(sound.nFormat, (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
        EXPECT_EQ(Samples(sound.samples), ExpectedData(data, 12));

        if (c.options.empty() || c.options[0] != "--settings")
            continue;  // the built-in suffixes know no x_L.wav set
        args = c.options;
        args.insert(args.end(), {"-q", "--auto", "-c", "Live", dir / "x_R.wav"});
        ASSERT_EQ(RunMerge(dir, args).nExitCode, 0);
        EXPECT_EQ(ReadWholeFile(dir / "xLive.wav"), expected);
    }
}

TEST(SettingsCliTest, ListPrintsConfigurationsAndSuffixes)
{
    TempDir dir;
    WriteWholeFile(dir / "live.pxr", LiveSettings(0));
    const Outcome live = RunMerge(dir, {"--list", "--settings", dir / "live.pxr"});
    EXPECT_EQ(live.nExitCode, 0);
    EXPECT_EQ(live.out.rfind(kLiveConfigurations, 0), 0u) << live.out;
    EXPECT_NE(live.out.find("\n  Side Right: '_SR'\n  Top Center: ' t c '\n  Top Front Left: ''\n"), std::string::npos);
    EXPECT_EQ(std::count(live.out.begin(), live.out.end(), '\n'), 24);
    EXPECT_EQ(live.err, "");

    RunOptions bare;
    bare.strExecutable = InstallCopy(dir, "bare");
    const Outcome builtIn = RunMerge(dir, {"--list"}, bare);
    EXPECT_EQ(builtIn.nExitCode, 0);
    EXPECT_EQ(builtIn.out, kBuiltInList);

    // Without usable configurations the file gets the built-in ones, keeping its suffixes.
    WriteWholeFile(dir / "empty.pxr", Lines({"[Suffixes]", "Front Left = L", "[Configurations]",
                                             "number of configurations = 0", "default configuration = 7"}));
    const Outcome repaired = RunMerge(dir, {"--list", "--settings", dir / "empty.pxr"});
    EXPECT_EQ(repaired.nExitCode, 0);
    EXPECT_EQ(repaired.out.rfind("Configurations:\n  0: 'stereo', mask 0x3 (default): Front Left, Front Right\n", 0), 0u)
        << repaired.out;
    EXPECT_NE(repaired.out.find("\n  Front Left: 'L'\n  Front Right: ''\n"), std::string::npos) << repaired.out;
}

TEST(SettingsCliTest, SettingsBesideTheExecutablesRealPath)
{
    TempDir dir;
    const std::string exe = InstallCopy(dir, "bin");
    const std::string trio = Lines({"[Suffixes]", "Front Left = FL", "Front Right = FR", "Front Center = FC",
                                    "[Configurations]", "number of configurations = 1", "default configuration = 0",
                                    "configuration #0 = trio", "channel mask #0 = 7"});
    WriteWholeFile(dir / "bin/settings.pxr", trio);
    // A link to the program elsewhere, with other settings beside it: the real path counts.
    fs::create_directory(dir / "link");
    fs::create_symlink(exe, dir / "link/plexora-merge");
    WriteWholeFile(dir / "link/settings.pxr", LiveSettings(1));

    const std::vector<std::string> names = {"a.wav", "b.wav", "c.wav"};
    const std::vector<std::string> data = WriteInputs(dir, names, 16);
    for (const std::string& program : {exe, dir / "link/plexora-merge"}) {
        SCOPED_TRACE(program);
        RunOptions run;
        run.strExecutable = program;
        const Outcome list = RunMerge(dir, {"--list"}, run);
        EXPECT_EQ(list.out.rfind("Configurations:\n  0: 'trio', mask 0x7 (default): Front Left, Front Right, "
                                 "Front Center\nSuffixes:\n  Front Left: 'FL'\n", 0), 0u) << list.out;

        // Three inputs: the built-in settings have no configuration for them, trio has.
        std::vector<std::string> args = {"-q", "-o", dir / "out.wav"};
        for (const std::string& path : Paths(dir, names))
            args.push_back(path);
        EXPECT_EQ(RunMerge(dir, args, run).nExitCode, 0);
        EXPECT_EQ(ReadWholeFile(dir / "out.wav"), ExpectedHeader(3, 44100, 16, 0x7) + ExpectedData(data, 16));

        // --settings comes first.
        WriteWholeFile(dir / "live.pxr", LiveSettings(0));
        EXPECT_EQ(RunMerge(dir, {"--list", "--settings", dir / "live.pxr"}, run).out.rfind(kLiveConfigurations, 0), 0u);
    }
    EXPECT_EQ(ReadWholeFile(dir / "bin/settings.pxr"), trio);
}

TEST(SettingsCliTest, UnreadableSettings)
{
    TempDir dir;
    for (const std::string& path : {dir / "missing.pxr", dir.path().string()}) {
        const Outcome outcome = RunMerge(dir, {"--list", "--settings", path});
        EXPECT_EQ(outcome.nExitCode, 2);
        EXPECT_EQ(outcome.err, "plexora-merge: can't read the settings file '" + path +
                                   "'\nRun with --help for more information.\n");
        EXPECT_EQ(outcome.out, "");
    }

    // Beside the program, something that cannot be read is said, then passed over.
    RunOptions odd;
    odd.strExecutable = InstallCopy(dir, "odd");
    fs::create_directory(dir / "odd/settings.pxr");
    const Outcome outcome = RunMerge(dir, {"--list"}, odd);
    EXPECT_EQ(outcome.nExitCode, 0);
    EXPECT_EQ(outcome.err, "plexora-merge: can't read '" + (fs::canonical(dir.path()) / "odd/settings.pxr").string() +
                               "'; using the built-in settings.\n");
    EXPECT_EQ(outcome.out, kBuiltInList);
}

// A writer would leave CR LF line ends, a new time or a temporary file.
TEST(SettingsCliTest, TheSettingsFileIsNeverWritten)
{
    TempDir dir;
    RunOptions installed;
    installed.strExecutable = InstallCopy(dir, "bin");
    std::string lfOnly = LiveSettings(0);
    std::erase(lfOnly, '\r');
    const fs::file_time_type longAgo = fs::last_write_time(installed.strExecutable) - std::chrono::hours(24 * 365);
    for (const std::string& path : {dir / "bin/settings.pxr", dir / "given.pxr"}) {
        WriteWholeFile(path, lfOnly);
        fs::last_write_time(path, longAgo);
    }
    fs::create_directory(dir / "audio");
    WriteInputs(dir, {"audio/x_L.wav", "audio/x_R.wav", "audio/y_L.wav"}, 8);
    const std::string xL = dir / "audio/x_L.wav";
    const std::string xR = dir / "audio/x_R.wav";
    const std::string yL = dir / "audio/y_L.wav";
    const std::vector<std::string> binBefore = FilesIn(dir);

    const std::vector<std::vector<std::string>> runs = {
        {"--list"},
        {"-o", dir / "audio/out.wav", xL, xR},
        {"--auto", "-c", "Live", xL},
        {"--auto", "-c", "Live", yL},      // a missing sibling
        {"-c", "nothing", "-o", dir / "audio/out.wav", xL},
        {"--frobnicate"},
    };
    for (const std::vector<std::string>& run : runs) {
        RunMerge(dir, run, installed);
        std::vector<std::string> given = {"--settings", dir / "given.pxr"};
        given.insert(given.end(), run.begin(), run.end());
        RunMerge(dir, given, installed);
    }
    EXPECT_TRUE(fs::exists(dir / "audio/xLive.wav")) << "the runs did run";
    for (const std::string& path : {dir / "bin/settings.pxr", dir / "given.pxr"}) {
        EXPECT_EQ(ReadWholeFile(path), lfOnly) << path;
        EXPECT_EQ(fs::last_write_time(path), longAgo) << path;
    }
    EXPECT_EQ(FilesIn(dir), binBefore);
    std::vector<std::string> bin;
    for (const auto& entry : fs::directory_iterator(dir / "bin"))
        bin.push_back(entry.path().filename().string());
    std::sort(bin.begin(), bin.end());
    EXPECT_EQ(bin, (std::vector<std::string>{"plexora-merge", "settings.pxr"}));
}

TEST(SettingsCliTest, UsageErrorsOfListAndTheChoiceOfChannels)
{
    TempDir dir;
    WriteInputs(dir, {"a.wav", "b.wav"}, 4);
    const std::string a = dir / "a.wav";
    const std::string b = dir / "b.wav";
    const std::string out = dir / "out.wav";
    const std::string listAlone = "--list merges nothing; it takes no files, -o, -c, -m or --auto";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--list", a}, listAlone},
        {{"--list", "-o", out}, listAlone},
        {{"--list", "-c", "stereo"}, listAlone},
        {{"--list", "--auto"}, listAlone},
        {{"-c", "stereo", "-m", "3", "-o", out, a, b}, "-c and -m both choose the channels; give one of them"},
        {{"-c", "stereo", a, b}, "no output file: give it with -o, or let --auto name it"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, 2);
        EXPECT_EQ(outcome.err, "plexora-merge: " + message + "\nRun with --help for more information.\n");
        EXPECT_EQ(outcome.out, "");
        EXPECT_FALSE(fs::exists(out));
    }
}

}  // namespace
