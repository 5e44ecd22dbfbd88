// Where a scenario cannot go: a folder that refuses new files to the user
// (scenarios run as whoever runs the tests). Every other start and exit is a
// scenario's (tests/scenarios/).
#include "app/mergeapp.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "tests/support/mergecheck.h"
#include "tests/support/restrictions.h"
#include "ui/plexoraresources.h"

namespace fs = std::filesystem;

namespace {

// A file that had to be mended is copied aside before the save replaces
// it; where no copy can be made, it is not replaced, and the exit says so.
TEST(MergeAppTest, AMendedSettingsFileThatCannotBeCopiedIsKept)
{
    const std::string kUnusable = "[Options]\r\nauto export = 1\r\n";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(dir / "app");
    WriteWholeFile(dir / "app/settings.pxr", kUnusable);
    fs::permissions(dir / "app/settings.pxr", fs::perms(0666));
    fs::permissions(dir / "app", fs::perms(0555));

    CTestBackend backend{&kPlexoraResources};
    backend.loopActions.push_back([](HWND hDlg) { CUserInput::Close(hDlg); });
    backend.boxAnswers.push_back(IDOK);
    {
        const RestrictionScope scope;
        ASSERT_TRUE(ActAsNobody());
        CMergeApp app;
        AfxWinMain(app, (dir / "app/plexora").c_str());
    }
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].strText, "Unable to write the settings file !");
    EXPECT_EQ(ReadWholeFile(dir / "app/settings.pxr"), kUnusable);
    EXPECT_EQ(FilesIn(dir / "app"), std::vector<std::string>{"settings.pxr"});
}

}  // namespace
