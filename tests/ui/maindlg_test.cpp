// The main dialog where a scenario cannot look: iconic painting, the window
// icons, the system menu without its string, the rows' font and lifetime,
// the row-to-position lookup and the services it gives the merge engine.
#include "ui/maindlg.h"

#include <gtest/gtest.h>

#include "platform/cfont.h"
#include "platform/cmenu.h"
#include "platform/cwinapp.h"
#include "platform/userinput.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

class MainDlgTest : public ::testing::Test {
protected:
    MainDlgTest() { settings.LoadDefaultSettings(); }

    // Runs the main dialog with one action, then closes it.
    void Run(const std::function<void(CMainDlg&, HWND)>& act)
    {
        CMainDlg dlg(settings);
        backend.loopActions.push_back([&](HWND hDlg) {
            act(dlg, hDlg);
            CUserInput::Close(hDlg);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }

    CTestBackend backend{&kPlexoraResources};
    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(MainDlgTest, AMinimisedDialogPaintsItsIconInTheMiddle)
{
    backend.bWithPeers = true;
    Run([&](CMainDlg& dlg, HWND hDlg) {
        EXPECT_EQ(hDlg->Icon(true)->nId, IDR_MAINFRAME);
        EXPECT_EQ(hDlg->Icon(false)->nId, IDR_MAINFRAME);
        EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), hDlg->Icon(true));
        backend.peerLog.clear();
        dlg.SendMessage(WM_PAINT);
        EXPECT_TRUE(backend.peerLog.empty()) << "not minimised: the default painting";
        CUserInput::SysCommand(hDlg, SC_MINIMIZE);
        backend.peerLog.clear();
        dlg.SendMessage(WM_PAINT);
        // Client 558 x 213: ((558 - 32 + 1) / 2, (213 - 32 + 1) / 2).
        EXPECT_EQ(backend.peerLog, std::vector<std::string>{"0 icon 263 91 128"});
    });
}

TEST_F(MainDlgTest, AnEmptyAboutStringLeavesTheSystemMenuAlone)
{
    const StringResource strings[] = {{IDS_ABOUTBOX, ""}};
    const ResourceTable resources = {kPlexoraResources.dialogs, strings, kPlexoraResources.icons};
    AfxSetResourceTable(&resources);
    Run([](CMainDlg& dlg, HWND) {
        CMenu* pMenu = dlg.GetSystemMenu(FALSE);
        ASSERT_EQ(pMenu->GetMenuItemCount(), 1u);
        EXPECT_EQ(pMenu->GetMenuItemID(0), SC_CLOSE);
    });
}

TEST_F(MainDlgTest, RowsShareOneFontThatOutlivesRebuildsButNotTheDialog)
{
    HFONT hRowFont = nullptr;
    Run([&](CMainDlg&, HWND hDlg) {
        hRowFont = hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST)->Font();
        ASSERT_NE(hRowFont, nullptr);
        EXPECT_STREQ(hRowFont->logFont.lfFaceName, "Arial");
        EXPECT_EQ(hRowFont->logFont.lfWeight, 0);
        EXPECT_NE(hRowFont, hDlg->Font()) << "not the template's font";
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 4);
        for (int r = 0; r < 8; ++r) {
            EXPECT_EQ(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST + r)->Font(), hRowFont);
            EXPECT_EQ(hDlg->FindChild(IDC_CHANNEL_LABEL_FIRST + r)->Font(), hRowFont);
        }
    });
    EXPECT_FALSE(FontObject::IsLive(hRowFont)) << "released with the dialog object";
}

TEST_F(MainDlgTest, TheRowsGoBeforeTheWindowWhenTheDialogEnds)
{
    backend.bWithPeers = true;
    Run([&](CMainDlg&, HWND hDlg) {
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 0);
        backend.peerLog.clear();
    });
    std::vector<std::string> destroyed;
    for (const std::string& entry : backend.peerLog)
        if (entry.ends_with(" destroy"))
            destroyed.push_back(entry.substr(0, entry.find(' ')));
    std::vector<std::string> expected = {"666", "777", "667", "778", "1000", "1001",
                                         "1003", "1009", "1012", "0"};
    EXPECT_EQ(destroyed, expected);
}

TEST_F(MainDlgTest, GetChannelSpeakerFollowsTheSelectedConfiguration)
{
    Run([](CMainDlg& dlg, HWND hDlg) {
        EXPECT_EQ(dlg.GetChannelSpeaker(3), 3);
        EXPECT_EQ(dlg.GetChannelSpeaker(6), -1);
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 2);  // surround: FL FR FC BC
        EXPECT_EQ(dlg.GetChannelSpeaker(2), 2);
        EXPECT_EQ(dlg.GetChannelSpeaker(3), 8);
        EXPECT_EQ(dlg.GetChannelSpeaker(4), -1);
    });
}

TEST_F(MainDlgTest, HostsTheMergeEngineWithItsProgressBarAndMessages)
{
    backend.boxAnswers = {IDOK};
    settings.m_bNoExtensible = true;
    Run([](CMainDlg& dlg, HWND hDlg) {
        EXPECT_EQ(dlg.GetChannelMask(), 0x3Fu);
        EXPECT_TRUE(dlg.GetNoExtensible());
        dlg.SetProgressRange(41);
        dlg.SetProgressPos(7);
        HWND hBar = hDlg->FindChild(IDC_PROGRESS);
        EXPECT_EQ(hBar->RangeMax(), 41);
        EXPECT_EQ(hBar->Pos(), 7);
        dlg.ShowMessage("Unable to process: not enough memory.");
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 0);
        EXPECT_EQ(dlg.GetChannelMask(), 0x3u);
    });
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].strText, "Unable to process: not enough memory.");
    EXPECT_EQ(backend.boxes[0].strCaption, "plexora");
    EXPECT_EQ(backend.boxes[0].nType, MB_OK);
}

TEST_F(MainDlgTest, AnEmptyListGivesNoRowsInsteadOfACrash)
{
    settings.m_aConfigurations.clear();
    settings.m_nDefaultConfiguration = 2;
    Run([](CMainDlg& dlg, HWND hDlg) {
        EXPECT_EQ(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST), nullptr);
        EXPECT_EQ(hDlg->Rect().Height(), 82);
        EXPECT_EQ(dlg.GetChannelSpeaker(0), -1);
        EXPECT_EQ(dlg.GetChannelMask(), 0u);
    });
}

}  // namespace
