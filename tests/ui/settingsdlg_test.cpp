// The settings dialog where a scenario cannot look: the suffix edits' styles
// and their shared font, which goes with the dialog, and the dialog's place
// under the main dialog, which it disables while it runs.
#include "ui/settingsdlg.h"

#include <gtest/gtest.h>

#include "platform/cfont.h"
#include "platform/cwinapp.h"
#include "platform/styles.h"
#include "platform/userinput.h"
#include "tests/platform/testbackend.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

class SettingsDlgTest : public ::testing::Test {
protected:
    SettingsDlgTest() { settings.LoadDefaultSettings(); }

    CTestBackend backend{&kPlexoraResources};
    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(SettingsDlgTest, SuffixEditsArePlainFieldsOutOfTheTabOrderSharingOneFont)
{
    HFONT hSuffixFont = nullptr;
    {
        CSettingsDlg dlg(settings);
        backend.loopActions.push_back([&](HWND hDlg) {
            hSuffixFont = hDlg->FindChild(IDC_SUFFIX_FIRST)->Font();
            ASSERT_NE(hSuffixFont, nullptr);
            EXPECT_STREQ(hSuffixFont->logFont.lfFaceName, "Arial");
            EXPECT_EQ(hSuffixFont->logFont.lfWeight, 0);
            EXPECT_NE(hSuffixFont, hDlg->Font()) << "not the template's font";
            for (int i = 0; i < kSpeakerPositionCount; ++i) {
                HWND hEdit = hDlg->FindChild(IDC_SUFFIX_FIRST + i);
                ASSERT_NE(hEdit, nullptr);
                EXPECT_EQ(hEdit->Kind(), WindowKind::Edit);
                // No border, no automatic horizontal scrolling, no tab stop.
                EXPECT_EQ(hEdit->Style(), WS_CHILD | WS_VISIBLE) << "edit " << i;
                EXPECT_EQ(hEdit->Font(), hSuffixFont);
            }
            EXPECT_EQ(hDlg->FocusChild(), hDlg->FindChild(IDC_AUTO_PADDING)) << "the first tab stop";
            CUserInput::Key(hDlg, VK_RETURN);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_FALSE(FontObject::IsLive(hSuffixFont)) << "released with the dialog object";
}

TEST_F(SettingsDlgTest, RunsOverTheMainDialogWhichItDisables)
{
    CMainDlg mainDlg(settings);
    app.m_pMainWnd = &mainDlg;
    HWND hMain = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        hMain = hDlg;
        CUserInput::Click(hDlg->FindChild(IDC_SETTINGS));
        EXPECT_TRUE(hDlg->IsEnabled()) << "enabled again when the settings dialog ends";
        CUserInput::Close(hDlg);
    });
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(hDlg->Text(), "Settings...");
        EXPECT_EQ(hDlg->Owner(), hMain);
        EXPECT_FALSE(hMain->IsEnabled());
        CUserInput::Key(hDlg, VK_ESCAPE);
    });
    mainDlg.DoModal();
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(backend.loopsRun.size(), 2u);
}

}  // namespace
