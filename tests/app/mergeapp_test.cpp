// The settings path where a scenario cannot go: an executable at the root.
// Every other start and exit is a scenario's (tests/scenarios/).
#include "app/mergeapp.h"

#include <gtest/gtest.h>

#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "ui/plexoraresources.h"

namespace {

TEST(MergeAppTest, AnExecutableAtTheRootKeepsOneSlash)
{
    CTestBackend backend{&kPlexoraResources};
    backend.loopActions.push_back([](HWND hDlg) { CUserInput::Close(hDlg); });
    // Only the start: the test must not write to the root folder.
    struct CStartOnly : CMergeApp {
        int ExitInstance() override { return 0; }
    } startOnly;
    AfxWinMain(startOnly, "/plexora");
    EXPECT_EQ(startOnly.m_strAppDir, "");
    EXPECT_EQ(startOnly.m_strSettingsPath, "/settings.pxr");
}

}  // namespace
