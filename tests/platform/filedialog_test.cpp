// What a file dialog and a message box ask the backend for: CFileDialog's
// filter list, AfxMessageBox's caption and owner. The program's own requests
// are the ui tests'.
#include <gtest/gtest.h>

#include "platform/afxmessagebox.h"
#include "platform/cfiledialog.h"
#include "platform/cwinapp.h"
#include "tests/platform/testbackend.h"
#include "tests/platform/testdialogs.h"

namespace {

TEST(CFileDialogTest, ParsesTheBarSeparatedFilterList)
{
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    const std::pair<const char*, Pairs> cases[] = {
        {"Wave files (*.wav)|*.wav|All files (*.*)|*.*|",
         {{"Wave files (*.wav)", "*.wav"}, {"All files (*.*)", "*.*"}}},
        {"Sound|*.wav;*.wave||Ignored|*.x|", {{"Sound", "*.wav;*.wave"}}},  // an empty part ends it
        {"Wave|*.wav|Lonely|", {{"Wave", "*.wav"}}},
        {"Wave|*.wav", {{"Wave", "*.wav"}}},
        {"", {}},
        {nullptr, {}},
    };
    for (const auto& [pszFilter, expected] : cases) {
        Pairs parsed;
        for (const FileFilter& f : CFileDialog::ParseFilter(pszFilter))
            parsed.emplace_back(f.strDescription.str(), f.strPattern.str());
        EXPECT_EQ(parsed, expected) << (pszFilter ? pszFilter : "null");
    }
}

class CAskingApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        AfxMessageBox("Unable to write the settings file !");
        return FALSE;
    }
};

TEST(AfxMessageBoxTest, CaptionIsTheExecutablesBaseNameAndOwnerTheActiveWindow)
{
    CTestBackend backend(&kTestResources);
    backend.boxAnswers = {IDOK, IDYES};
    CAskingApp app;
    AfxWinMain(app, "/opt/tools/plexora.bin");
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].strCaption, "plexora") << "without the folder and the extension";
    EXPECT_EQ(backend.boxes[0].hOwner, nullptr) << "no window yet";

    CTestDlg dlg;
    HWND hOwner = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        hOwner = hDlg;
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ASK, BN_CLICKED), 0);
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    ASSERT_EQ(backend.boxes.size(), 2u);
    EXPECT_EQ(backend.boxes[1].hOwner, hOwner);
}

}  // namespace
