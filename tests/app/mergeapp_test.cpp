// Where the desktop program keeps an ordinary user's settings when its
// folder is not theirs, and what its exit says when they cannot be saved.
// These run as nobody: as root every folder is writable.
#include "app/mergeapp.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/userinput.h"
#include "tests/cli/runprogram.h"
#include "tests/platform/testbackend.h"
#include "tests/support/childprocess.h"
#include "tests/support/restrictions.h"
#include "ui/plexoraresources.h"

namespace fs = std::filesystem;

namespace {

const std::string kTrio = "[Configurations]\nnumber of configurations = 1\ndefault configuration = 0\n"
                          "configuration #0 = trio\nchannel mask #0 = 7\n";

// Runs the desktop program as nobody, installed as dir/app/plexora, with
// XDG_CONFIG_HOME set; change acts on its record before the main dialog
// closes. The texts of the message boxes it showed.
std::vector<std::string> RunAppAsNobody(const TempDir& dir, const std::string& configHome,
                                        const std::function<void(CMergeApp&)>& change = {})
{
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    CTestBackend backend{&kPlexoraResources};
    backend.boxAnswers.push_back(IDOK);
    {
        const RestrictionScope scope;
        EXPECT_TRUE(ActAsNobody());
        CMergeApp app;
        backend.loopActions.push_back([&](HWND hDlg) {
            if (change)
                change(app);
            CUserInput::Close(hDlg);
        });
        AfxWinMain(app, (dir / "app/plexora").c_str());
    }
    unsetenv("XDG_CONFIG_HOME");
    std::vector<std::string> texts;
    for (const auto& box : backend.boxes)
        texts.push_back(box.strText.str());
    return texts;
}

// plexora-merge --list run by nobody from dir/app, with HOME in dir/home
// and no XDG_CONFIG_HOME.
Outcome ListAsNobody(const TempDir& dir)
{
    const std::string home = dir / "home";
    return RunMerge(TempDir(), {"--list"}, dir / "app/plexora-merge", false, [&] {
        if (!BecomeNobody())
            _exit(126);
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
    });
}

// An installed program: the folder is root's, its settings.pxr the
// system's defaults. The user's change lands in the user's own file, which
// plexora-merge then reads; nothing is written beside the program.
TEST(MergeAppTest, AnOrdinaryUsersSettingsLiveInTheirOwnConfigurationFolder)
{
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(dir / "app");
    fs::copy_file(PLEXORA_MERGE_EXE, dir / "app/plexora-merge");
    WriteWholeFile(dir / "app/settings.pxr", kTrio);
    fs::permissions(dir / "app", fs::perms(0755));
    fs::create_directory(dir / "home");
    ASSERT_EQ(chown((dir / "home").c_str(), 65534, 65534), 0);
    const std::string own = dir / "home/.config/plexora/settings.pxr";

    const Outcome defaults = ListAsNobody(dir);
    EXPECT_EQ(defaults.out.rfind("Settings file: '" + (dir / "app/settings.pxr") + "'\nConfigurations:\n"
                                 "  0: 'trio', mask 0x7 (default): ",
                                 0),
              0u)
        << defaults.out << defaults.err;

    EXPECT_EQ(RunAppAsNobody(dir, dir / "home/.config", [](CMergeApp& app) { app.m_strSuffixes[0] = "_left"; }),
              std::vector<std::string>{});
    struct stat st {};
    ASSERT_EQ(stat((dir / "home/.config/plexora").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_NE(ReadWholeFile(own).find("\r\nFront Left = _left\r\n"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(dir / "app/settings.pxr"), kTrio);
    EXPECT_EQ(FilesIn(dir / "app"), (std::vector<std::string>{"plexora-merge", "settings.pxr"}));

    const Outcome mine = ListAsNobody(dir);
    EXPECT_EQ(mine.out.rfind("Settings file: '" + own + "'\nConfigurations:\n  0: 'trio', ", 0), 0u) << mine.out;
    EXPECT_NE(mine.out.find("\n  Front Left: '_left'\n"), std::string::npos) << mine.out;
}

// A save that fails says where and why on a second line; the file on disk
// stays as it was.
TEST(MergeAppTest, AFailedSaveNamesTheFileAndTheReason)
{
    const std::string kUnusable = "[Options]\r\nauto export = 1\r\n";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(dir / "app");
    fs::create_directory(dir / "locked");

    // No folder of the user's own can be made where XDG_CONFIG_HOME says.
    EXPECT_EQ(RunAppAsNobody(dir, dir / "locked"),
              std::vector<std::string>{"Unable to write the settings file !\n'" + (dir / "locked/plexora/settings.pxr") +
                                       "': Permission denied."});
    EXPECT_TRUE(fs::is_empty(dir / "locked"));

    // A mended file in a folder of the user's own whose copy cannot be
    // made (its name is a folder's) is not replaced.
    ASSERT_EQ(chown((dir / "app").c_str(), 65534, 65534), 0);
    WriteWholeFile(dir / "app/settings.pxr", kUnusable);
    fs::create_directory(dir / "app/settings.pxr.bak");
    const std::string settings = dir / "app/settings.pxr";
    EXPECT_EQ(RunAppAsNobody(dir, dir / "locked"),
              std::vector<std::string>{"Unable to write the settings file !\n'" + settings +
                                       "' had to be mended, and no copy of it could be kept as '" + settings +
                                       ".bak'."});
    EXPECT_EQ(ReadWholeFile(settings), kUnusable);
    EXPECT_EQ(FilesIn(dir / "app"), (std::vector<std::string>{"settings.pxr", "settings.pxr.bak"}));
}

}  // namespace
