// The application's start and end: the settings path beside the executable,
// and the order save, report, destroy at exit.
#include "app/mergeapp.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "tests/support/tempdir.h"
#include "ui/plexoraresources.h"

namespace {

class MergeAppTest : public ::testing::Test {
protected:
    CTestBackend backend{&kPlexoraResources};
};

TEST_F(MergeAppTest, KeepsItsSettingsBesideTheExecutable)
{
    TempDir dir;
    CMergeApp app;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(app.m_pMainWnd->m_hWnd, hDlg);
        CUserInput::Key(hDlg, VK_ESCAPE);
    });
    EXPECT_EQ(AfxWinMain(app, (dir / "plexora").c_str()), 0);
    EXPECT_EQ(app.m_strAppDir, dir.path().string());
    EXPECT_EQ(app.m_strSettingsPath, dir / "settings.pxr");
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.m_aConfigurations.empty()) << "destroyed at exit";
    EXPECT_TRUE(std::filesystem::exists(dir / "settings.pxr"));
    EXPECT_TRUE(backend.boxes.empty());

    CSettings written;
    ASSERT_TRUE(written.LoadSettings((dir / "settings.pxr").c_str()));
    EXPECT_EQ(written.m_aConfigurations.size(), 5u);
    EXPECT_EQ(written.m_nDefaultConfiguration, 3);
}

TEST_F(MergeAppTest, AnExecutableAtTheRootKeepsOneSlash)
{
    // Only the start: the test must not write to the root folder.
    backend.loopActions.push_back([](HWND hDlg) { CUserInput::Close(hDlg); });
    struct CStartOnly : CMergeApp {
        int ExitInstance() override { return 0; }
    } startOnly;
    AfxWinMain(startOnly, "/plexora");
    EXPECT_EQ(startOnly.m_strAppDir, "");
    EXPECT_EQ(startOnly.m_strSettingsPath, "/settings.pxr");
}

TEST_F(MergeAppTest, ReportsAFailedSaveBeforeDestroyingTheConfigurations)
{
    TempDir dir;
    CMergeApp app;
    size_t nAtMessage = 0;
    backend.onBox = [&](const CTestBackend::Box&) { nAtMessage = app.m_aConfigurations.size(); };
    backend.boxAnswers = {IDOK};
    backend.loopActions.push_back([](HWND hDlg) { CUserInput::Close(hDlg); });
    AfxWinMain(app, (dir / "missing/plexora").c_str());
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].strText, "Unable to write the settings file !");
    EXPECT_EQ(backend.boxes[0].nType, MB_OK);
    EXPECT_EQ(nAtMessage, 5u);
    EXPECT_TRUE(app.m_aConfigurations.empty());
}

}  // namespace
