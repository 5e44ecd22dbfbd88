// The dialogs where a scenario cannot look: iconic painting, the run-time
// controls' shared font, row commands and what the file dialogs are asked for.
#include "ui/maindlg.h"

#include <gtest/gtest.h>

#include "platform/cfont.h"
#include "platform/cwinapp.h"
#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"
#include "ui/settingsdlg.h"

namespace {

class MainDlgTest : public ::testing::Test {
protected:
    MainDlgTest() { settings.LoadDefaultSettings(); }

    // Runs the dialog with one action, then closes it.
    void Run(CDialog& dlg, const std::function<void(HWND)>& act)
    {
        backend.loopActions.push_back([&](HWND hDlg) {
            act(hDlg);
            CUserInput::Close(hDlg);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    static CString Label(HWND hDlg, int nRow) { return hDlg->FindChild(IDC_CHANNEL_LABEL_FIRST + nRow)->Text(); }

    CTestBackend backend{&kPlexoraResources};
    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(MainDlgTest, AMinimisedDialogPaintsItsIconInTheMiddle)
{
    backend.bWithPeers = true;
    CMainDlg dlg(settings);
    Run(dlg, [&](HWND hDlg) {
        EXPECT_EQ(hDlg->Icon(true)->nId, IDR_MAINFRAME);
        EXPECT_EQ(hDlg->Icon(false)->nId, IDR_MAINFRAME);
        EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), hDlg->Icon(true));
        dlg.SendMessage(WM_PAINT);
        EXPECT_TRUE(backend.iconsDrawn.empty()) << "not minimised: the default painting";
        CUserInput::SysCommand(hDlg, SC_MINIMIZE);
        dlg.SendMessage(WM_PAINT);
        // Client 558 x 213: ((558 - 32 + 1) / 2, (213 - 32 + 1) / 2).
        EXPECT_EQ(backend.iconsDrawn, std::vector<std::string>{"263 91 128"});
    });
}

// The main dialog's rows (through a rebuild) and the settings dialog's
// suffix edits share one Arial font, released with the dialog object.
TEST_F(MainDlgTest, RunTimeControlsShareOneArialFontThatGoesWithTheirDialog)
{
    struct Case {
        std::function<std::unique_ptr<CDialog>()> make;
        int nRebuildBox;  // a combo box to pick item 4 in first, or 0
        std::vector<std::pair<int, int>> idRanges;
    };
    const Case cases[] = {
        {[&] { return std::make_unique<CMainDlg>(settings); }, IDC_CONFIGURATION,
         {{IDC_CHANNEL_BUTTON_FIRST, 8}, {IDC_CHANNEL_LABEL_FIRST, 8}}},
        {[&] { return std::make_unique<CSettingsDlg>(settings); }, 0, {{IDC_SUFFIX_FIRST, 18}}},
    };
    for (const Case& c : cases) {
        HFONT hFont = nullptr;
        std::unique_ptr<CDialog> pDlg = c.make();
        Run(*pDlg, [&](HWND hDlg) {
            hFont = hDlg->FindChild(c.idRanges[0].first)->Font();
            ASSERT_NE(hFont, nullptr);
            EXPECT_STREQ(hFont->logFont.lfFaceName, "Arial");
            EXPECT_NE(hFont, hDlg->Font());
            if (c.nRebuildBox)
                CUserInput::Select(hDlg->FindChild(c.nRebuildBox), 4);
            for (const auto& [nFirst, nCount] : c.idRanges)
                for (int nId = nFirst; nId < nFirst + nCount; ++nId)
                    EXPECT_EQ(hDlg->FindChild(nId)->Font(), hFont) << nId;
        });
        EXPECT_TRUE(FontObject::IsLive(hFont));
        pDlg.reset();
        EXPECT_FALSE(FontObject::IsLive(hFont));
    }
}

// The main dialog, with each WM_COMMAND that reaches its message map.
class CCommandWatch : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::function<void(WPARAM)> onCommand;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        onCommand(wParam);
        return CMainDlg::OnCommand(wParam, lParam);
    }
};

// A row's command, whatever its code, opens an open dialog before the map
// sees it; rows the configuration lacks open nothing. Process without auto
// export opens a save dialog that asks before replacing.
TEST_F(MainDlgTest, RowCommandsOpenWaveFilesBeforeTheMapAndProcessAsksWhereToSave)
{
    settings.m_bAutoLoading = false;
    settings.m_bAutoExport = false;
    CCommandWatch dlg(settings);
    std::vector<std::string> seen;  // each command as the map sees it, with the dialogs asked so far
    dlg.onCommand = [&](WPARAM wParam) {
        seen.push_back(std::to_string(LOWORD(wParam)) + " after " + std::to_string(backend.fileRequests.size()));
    };
    HWND hMain = nullptr;
    Run(dlg, [&](HWND hDlg) {
        hMain = hDlg;
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 0);
        backend.fileAnswers = {CString("/a/x.wav"), CString("/a/y.wav"), std::nullopt};
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 1, 0x1234), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 2, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 17, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_LABEL_FIRST, BN_CLICKED), 0);
        EXPECT_EQ(Label(hDlg, 0), "/a/y.wav");
        EXPECT_EQ(Label(hDlg, 1), "/a/x.wav");
        CUserInput::Click(hDlg->FindChild(IDC_PROCESS));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"1012 after 0", "667 after 1", "666 after 2", "668 after 2", "683 after 2",
                                              "777 after 2", "1000 after 2", std::to_string(IDCANCEL) + " after 3"}));
    ASSERT_EQ(backend.fileRequests.size(), 3u);
    for (size_t nRequest : {0, 2}) {
        const FileDialogRequest& request = backend.fileRequests[nRequest];
        EXPECT_EQ(request.bOpen, nRequest == 0);
        EXPECT_EQ(request.dwFlags, nRequest == 0 ? OFN_HIDEREADONLY : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
        EXPECT_EQ(request.hOwner, hMain);
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[request.nFilterIndex].strPattern, nRequest == 0 ? "*.wav;*.rf64;*.bw64" : "*.wav");
        EXPECT_EQ(request.strDefaultExtension, "wav");
    }
    EXPECT_TRUE(backend.boxes.empty());
}

}  // namespace
