// The row buttons and Process where a scenario cannot look: what the file
// dialogs are asked for, and how row commands travel.
#include <gtest/gtest.h>

#include "platform/cwinapp.h"
#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

// The main dialog, with the WM_COMMAND messages that reach the message map.
class CCommandWatch : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::function<void(WPARAM)> onCommand;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (onCommand)
            onCommand(wParam);
        return CMainDlg::OnCommand(wParam, lParam);
    }
};

// The main dialog, with the inputs a merge was given, as the engine asks for
// the output path; it then declines, so nothing is read.
class CInputWatch : public CMainDlg {
public:
    using CMainDlg::CMainDlg;
    std::vector<std::pair<std::string, DWORD>> inputs;  // path and speaker mask, in channel order
    size_t nInputsAfterwards = 0;

    bool ChooseOutputPath(CString&) override
    {
        for (const CInputWave* pInput : m_merge.m_aInputs)
            inputs.emplace_back(pInput->m_strPath.str(), pInput->m_dwSpeakerMask);
        return false;
    }
    void ProcessAndLookAfterwards()
    {
        OnProcess();
        nInputsAfterwards = m_merge.m_aInputs.size();
    }
};

class ChannelFilesTest : public ::testing::Test {
protected:
    ChannelFilesTest() { settings.LoadDefaultSettings(); }

    // Runs the main dialog with one action, then closes it.
    void Run(CMainDlg& dlg, const std::function<void(HWND)>& act)
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

void ExpectWaveFilter(const FileDialogRequest& request)
{
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].strDescription, "Wave files (*.wav)");
    EXPECT_EQ(request.filters[0].strPattern, "*.wav");
    EXPECT_EQ(request.filters[1].strDescription, "All files (*.*)");
    EXPECT_EQ(request.filters[1].strPattern, "*.*");
    EXPECT_EQ(request.nFilterIndex, 0);
    EXPECT_EQ(request.strDefaultExtension, "wav");
    EXPECT_EQ(request.strFileName, "");
    EXPECT_EQ(request.strInitialDir, "");
}

TEST_F(ChannelFilesTest, TheOpenDialogAsksForWaveFilesAndACancelChangesNothing)
{
    CMainDlg dlg(settings);
    Run(dlg, [&](HWND hDlg) {
        backend.fileAnswers.push_back(std::nullopt);
        CUserInput::Click(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST + 2));
        ASSERT_EQ(backend.fileRequests.size(), 1u);
        const FileDialogRequest& request = backend.fileRequests[0];
        EXPECT_TRUE(request.bOpen);
        EXPECT_EQ(request.dwFlags, OFN_HIDEREADONLY) << "no read-only box; a typed name need not exist";
        EXPECT_EQ(request.hOwner, hDlg);
        ExpectWaveFilter(request);
        for (int r = 0; r < 6; ++r)
            EXPECT_EQ(Label(hDlg, r), "---");
    });
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(ChannelFilesTest, RowCommandsAreCaughtWhateverTheirCodeAndThenPassedOn)
{
    settings.m_bAutoLoading = false;
    CCommandWatch dlg(settings);
    std::vector<std::string> seen;  // each command as the map sees it, with the dialogs asked so far
    dlg.onCommand = [&](WPARAM wParam) {
        seen.push_back(std::to_string(LOWORD(wParam)) + " after " + std::to_string(backend.fileRequests.size()));
    };
    Run(dlg, [&](HWND hDlg) {
        backend.fileAnswers = {CString("/a/x.wav"), CString("/a/y.wav")};
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 1, 0x1234), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 5, BN_CLICKED), 0);
        // Rows the configuration does not have, and a label, open nothing.
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 6, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_BUTTON_FIRST + 17, BN_CLICKED), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHANNEL_LABEL_FIRST, BN_CLICKED), 0);
        EXPECT_EQ(Label(hDlg, 1), "/a/x.wav");
        EXPECT_EQ(Label(hDlg, 5), "/a/y.wav");
        EXPECT_EQ(Label(hDlg, 0), "---");
    });
    EXPECT_EQ(backend.fileRequests.size(), 2u);
    EXPECT_EQ(seen, (std::vector<std::string>{"667 after 1", "671 after 2", "672 after 2", "683 after 2",
                                              "777 after 2", std::to_string(IDCANCEL) + " after 2"}));
}

TEST_F(ChannelFilesTest, TheSaveDialogAsksBeforeReplacing)
{
    settings.m_bAutoExport = false;
    settings.m_bAutoLoading = false;
    CMainDlg dlg(settings);
    Run(dlg, [&](HWND hDlg) {
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 0);
        backend.fileAnswers = {CString("/a/x.wav"), CString("/a/y.wav"), std::nullopt};
        CUserInput::Click(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST));
        CUserInput::Click(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST + 1));
        CUserInput::Click(hDlg->FindChild(IDC_PROCESS));
    });
    ASSERT_EQ(backend.fileRequests.size(), 3u);
    const FileDialogRequest& request = backend.fileRequests[2];
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ(request.dwFlags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    ExpectWaveFilter(request);
    EXPECT_TRUE(backend.boxes.empty());
}

TEST_F(ChannelFilesTest, ProcessGivesTheEngineOneInputPerRowWithItsSpeakerMask)
{
    settings.m_bAutoLoading = false;
    CInputWatch dlg(settings);
    Run(dlg, [&](HWND hDlg) {
        CUserInput::Select(hDlg->FindChild(IDC_CONFIGURATION), 2);  // surround: FL FR FC BC
        backend.fileAnswers = {CString("/a/bc.wav"), CString("/a/fl.wav"), CString("/a/fr.wav"), CString("/a/fc.wav")};
        for (int r : {3, 0, 1, 2})
            CUserInput::Click(hDlg->FindChild(IDC_CHANNEL_BUTTON_FIRST + r));
        dlg.ProcessAndLookAfterwards();
    });
    EXPECT_EQ(dlg.inputs, (std::vector<std::pair<std::string, DWORD>>{
                              {"/a/fl.wav", 0x1}, {"/a/fr.wav", 0x2}, {"/a/fc.wav", 0x4}, {"/a/bc.wav", 0x100}}));
    EXPECT_EQ(dlg.nInputsAfterwards, 0u) << "the records live for one merge";
    EXPECT_TRUE(backend.boxes.empty()) << "a declined path ends the merge without a word";
}

}  // namespace
