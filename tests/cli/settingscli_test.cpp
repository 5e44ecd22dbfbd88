// Where plexora-merge takes its settings from, what --list shows of them,
// and that they are never written. The user's own file: tests/app/.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/runprogram.h"

namespace fs = std::filesystem;

namespace {

TEST(SettingsCliTest, ListShowsTheConfigurationsAndSuffixesInEffect)
{
    TempDir dir;
    WriteWholeFile(dir / "live.pxr", LiveSettings());
    const Outcome live = RunMerge(dir, {"--list", "--settings", dir / "live.pxr"});
    EXPECT_EQ(live.nExitCode, 0);
    EXPECT_EQ(live.err, "");
    EXPECT_TRUE(live.out.starts_with("Settings file: '" + (dir / "live.pxr") + "'\nConfigurations:\n"
                                     "  0: 'Live', mask 0x3: Front Left, Front Right\n"
                                     "  1: 'LIVE', mask 0x603 (default): Front Left, Front Right, Side Left, "
                                     "Side Right\n"
                                     "  2: 'Wide', mask 0x80000003: Front Left, Front Right\n"
                                     "  3: 'none', mask 0x0: no channels\nSuffixes:\n  Front Left: '_L'\n"))
        << live.out;
    EXPECT_NE(live.out.find("\n  Side Right: '_SR'\n  Top Center: ' t c '\n  Top Front Left: ''\n"), std::string::npos);
    // After the suffixes, whatever they are: the built-in channel tags.
    const std::string tags = "  Top Back Right: ''\n"
                             "Channel tags (after '.', '_', '-' or ' ', in any letter case):\n"
                             "  Front Left: L\n  Front Right: R\n  Front Center: C\n  Low Frequency: LFE, LF\n"
                             "  Back Left: Ls (without Side positions), Lsr, Lrs\n"
                             "  Back Right: Rs (without Side positions), Rsr, Rrs\n"
                             "  Front Left of Center: Lc\n  Front Right of Center: Rc\n  Back Center: Cs\n"
                             "  Side Left: Ls (with Side positions), Lss\n  Side Right: Rs (with Side positions), Rss\n";
    EXPECT_TRUE(live.out.ends_with(tags)) << live.out;
    EXPECT_EQ(std::count(live.out.begin(), live.out.end(), '\n'), 37);

    // Settings without configurations, through a pipe (a shell's <(...)), are repaired before use: the built-in
    // ones, the first the default.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string empty = "[Configurations]\nnumber of configurations = 0\ndefault configuration = 7\n";
    ASSERT_EQ(write(fds[1], empty.data(), empty.size()), static_cast<ssize_t>(empty.size()));
    close(fds[1]);
    const Outcome repaired = RunMerge(dir, {"--list", "--settings", "/dev/fd/" + std::to_string(fds[0])});
    close(fds[0]);
    EXPECT_EQ(repaired.out.find("\nConfigurations:\n  0: 'stereo', mask 0x3 (default): Front Left, Front Right\n"
                                 "  1: 'quadriphony', mask 0x33: "), repaired.out.find('\n'))
        << repaired.out;
}

// A copy of the program in bin/ beside its settings, and a link to it in
// link/ beside others: the real path counts, --settings comes first, no run
// changes a settings file (a writer would end its lines with CR LF), and
// settings beside it that cannot be read are reported and passed over.
TEST(SettingsCliTest, SettingsBesideTheProgramsRealPathAreReadAndNeverWritten)
{
    TempDir dir;
    fs::create_directory(dir / "bin");
    const std::string exe = dir / "bin/plexora-merge";
    fs::copy_file(PLEXORA_MERGE_EXE, exe);
    const std::string trio = "[Configurations]\nnumber of configurations = 1\ndefault configuration = 0\n"
                             "configuration #0 = trio\nchannel mask #0 = 7\n";
    WriteWholeFile(dir / "bin/settings.pxr", trio);
    WriteWholeFile(dir / "given.pxr", LiveSettings());
    fs::create_directory(dir / "link");
    fs::create_symlink(exe, dir / "link/plexora-merge");
    WriteWholeFile(dir / "link/settings.pxr", LiveSettings());
    fs::create_directory(dir / "audio");
    const Stems stems = WriteStems(dir, "audio/in", {"0", "1", "2"}, 16);
    const std::vector<std::string> folder = FilesIn(dir);
    const std::string out = dir / "audio/out.wav";
    const std::string real = (fs::canonical(dir.path()) / "bin/settings.pxr").string();

    for (const std::string& program : {exe, dir / "link/plexora-merge"}) {
        SCOPED_TRACE(program);
        // No built-in configuration, and none of the link's, has three channels; trio has.
        EXPECT_EQ(RunMerge(dir, {"-q", "-o", out, stems.paths[0], stems.paths[1], stems.paths[2]}, program).nExitCode, 0);
        EXPECT_EQ(ReadWholeFile(out), MergedBytes(stems, 3, 0x7));
        // Trio has none with two channels; the given file has.
        EXPECT_EQ(RunMerge(dir, {"--settings", dir / "given.pxr", "-q", "-o", out, stems.paths[0], stems.paths[1]},
                           program).nExitCode, 0);
        EXPECT_EQ(ReadWholeFile(out), MergedBytes(stems, 2, 0x3));
        EXPECT_TRUE(RunMerge(dir, {"--list"}, program).out.starts_with("Settings file: '" + real + "'\n"));
        RunMerge(dir, {"--auto", stems.paths[0]}, program);
    }
    EXPECT_EQ(ReadWholeFile(dir / "bin/settings.pxr"), trio);
    EXPECT_EQ(ReadWholeFile(dir / "given.pxr"), LiveSettings());
    EXPECT_EQ(FilesIn(dir), folder);
    EXPECT_EQ(FilesIn(dir / "bin"), (std::vector<std::string>{"plexora-merge", "settings.pxr"}));

    fs::remove(dir / "bin/settings.pxr");
    fs::create_directory(dir / "bin/settings.pxr");
    const Outcome unreadable = RunMerge(dir, {"--list"}, exe);
    EXPECT_EQ(unreadable.nExitCode, 0);
    EXPECT_EQ(unreadable.err, "plexora-merge: can't read '" + real + "'; using the built-in settings.\n");
    EXPECT_TRUE(unreadable.out.starts_with("Settings file: none, the built-in settings\nConfigurations:\n"));
}

}  // namespace
