// CFileDialog's request (the filter list, the default extension, flags and
// the active filter) and its answer; AfxMessageBox's caption and owner.
#include <gtest/gtest.h>

#include "platform/afxmessagebox.h"
#include "platform/cfiledialog.h"
#include "platform/cwinapp.h"
#include "tests/platform/testbackend.h"
#include "tests/platform/testdialogs.h"

namespace {

std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<FileFilter>& filters)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const FileFilter& f : filters)
        pairs.emplace_back(f.strDescription.str(), f.strPattern.str());
    return pairs;
}

TEST(CFileDialogTest, ParsesTheBarSeparatedFilterList)
{
    using P = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Pairs(CFileDialog::ParseFilter("Wave files (*.wav)|*.wav|All files (*.*)|*.*|")),
              (P{{"Wave files (*.wav)", "*.wav"}, {"All files (*.*)", "*.*"}}));
    EXPECT_EQ(Pairs(CFileDialog::ParseFilter("Sound|*.wav;*.wave||Ignored|*.x|")),
              (P{{"Sound", "*.wav;*.wave"}})) << "an empty part ends the list";
    EXPECT_EQ(Pairs(CFileDialog::ParseFilter("Wave|*.wav|Lonely|")), (P{{"Wave", "*.wav"}}));
    EXPECT_EQ(Pairs(CFileDialog::ParseFilter("Wave|*.wav")), (P{{"Wave", "*.wav"}}));
    EXPECT_TRUE(CFileDialog::ParseFilter("").empty());
    EXPECT_TRUE(CFileDialog::ParseFilter(nullptr).empty());
}

TEST(CFileDialogTest, NormalisesTheDefaultExtension)
{
    EXPECT_EQ(CFileDialog::NormalizeExtension("*.wav"), "wav");
    EXPECT_EQ(CFileDialog::NormalizeExtension(".wav"), "wav");
    EXPECT_EQ(CFileDialog::NormalizeExtension("wav"), "wav");
    EXPECT_EQ(CFileDialog::NormalizeExtension(nullptr), "");
}

TEST(CFileDialogTest, BuildsTheRequestFromItsMembers)
{
    CTestBackend backend(&kTestResources);
    CFileDialog dlg(FALSE, "*.wav", "", OFN_HIDEREADONLY,
                    "Wave files (*.wav)|*.wav|All files (*.*)|*.*|", nullptr);
    dlg.m_ofn.Flags |= OFN_OVERWRITEPROMPT;
    dlg.m_ofn.nFilterIndex = 0;
    FileDialogRequest request = dlg.BuildRequest();
    EXPECT_FALSE(request.bOpen);
    EXPECT_EQ(request.strDefaultExtension, "wav");
    EXPECT_EQ(request.dwFlags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(request.nFilterIndex, 0);
    EXPECT_EQ(request.strInitialDir, "");
    EXPECT_EQ(request.filters.size(), 2u);
    dlg.m_ofn.nFilterIndex = 2;
    EXPECT_EQ(dlg.BuildRequest().nFilterIndex, 1) << "the member is 1-based";
    dlg.m_ofn.nFilterIndex = 9;
    EXPECT_EQ(dlg.BuildRequest().nFilterIndex, 0);
}

TEST(CFileDialogTest, ReturnsWhatTheBackendAnswers)
{
    CTestBackend backend(&kTestResources);
    backend.fileAnswers = {CString("/tmp/a/drumsFL.wav"), std::nullopt};
    CFileDialog dlg(TRUE, "*.wav", "", OFN_HIDEREADONLY, "Wave files (*.wav)|*.wav|", nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), "/tmp/a/drumsFL.wav");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), "/tmp/a/drumsFL.wav") << "a cancel keeps the last answer";
    ASSERT_EQ(backend.fileRequests.size(), 2u);
    EXPECT_TRUE(backend.fileRequests[0].bOpen);
}

class CAskingApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_nAnswer = AfxMessageBox("Warning: only one channel !\nDo you want to proceed ?", MB_YESNO);
        return FALSE;
    }
    int ExitInstance() override
    {
        AfxMessageBox("Unable to write the settings file !");
        return 3;
    }
    int m_nAnswer = 0;
};

TEST(AfxMessageBoxTest, CaptionIsTheExecutablesBaseName)
{
    CTestBackend backend(&kTestResources);
    backend.boxAnswers = {IDNO, IDOK};
    CAskingApp app;
    EXPECT_EQ(AfxWinMain(app, "/opt/tools/plexora"), 3);
    EXPECT_EQ(app.m_nAnswer, IDNO);
    EXPECT_STREQ(app.m_pszExeName, "plexora");
    EXPECT_EQ(app.GetModuleFileName(), "/opt/tools/plexora");
    ASSERT_EQ(backend.boxes.size(), 2u);
    EXPECT_EQ(backend.boxes[0].strCaption, "plexora");
    EXPECT_EQ(backend.boxes[0].nType, MB_YESNO);
    EXPECT_EQ(backend.boxes[0].hOwner, nullptr);
    EXPECT_EQ(backend.boxes[1].strText, "Unable to write the settings file !");

    CAskingApp other;
    backend.boxAnswers = {IDYES, IDOK};
    AfxWinMain(other, "/opt/tools/plexora.bin");
    EXPECT_STREQ(other.m_pszExeName, "plexora") << "the extension is dropped";
}

TEST(AfxMessageBoxTest, IsOwnedByTheActiveWindow)
{
    CTestBackend backend(&kTestResources);
    backend.boxAnswers = {IDYES};
    CTestDlg dlg;
    HWND hOwner = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        hOwner = hDlg;
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ASK, BN_CLICKED), 0);
        EXPECT_EQ(hDlg->FindChild(IDC_LOG)->Text(), "yes");
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].hOwner, hOwner);
    EXPECT_EQ(backend.boxes[0].strText, "Proceed ?\nReally");
}

}  // namespace
