// Every peer shows its window as the model has it after the program's own
// operations, in the three dialogs that hold every kind of control: the
// main dialog (a configuration switch, labels filled, a progress step), the
// settings dialog opened from it (a configuration removed and one added,
// reaching all three combo boxes) and the About box with the program icon.
#include <QLabel>

#include "platform/cwinapp.h"
#include "platform/modalstack.h"
#include "platform/userinput.h"
#include "tests/qt/qtharness.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

class PeersTest : public QtTest {
protected:
    PeersTest() : QtTest(&kPlexoraResources) { settings.LoadDefaultSettings(); }

    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(PeersTest, EveryDialogShowsAsTheModelHasIt)
{
    CMainDlg dlg(settings);
    app.m_pMainWnd = &dlg;
    Later([&] {
        HWND hMain = dlg.m_hWnd;
        ExpectPeersMatchModel(hMain);
        ASSERT_TRUE(CUserInput::Select(hMain->FindChild(IDC_CONFIGURATION), 0).IsEmpty());  // stereo
        ExpectPeersMatchModel(hMain);
        dlg.GetDlgItem(IDC_CHANNEL_LABEL_FIRST + 1)->SetWindowText("/tmp/drums && bass &FR.wav");
        dlg.SetProgressRange(40);
        dlg.SetProgressPos(13);
        ExpectPeersMatchModel(hMain);
        EXPECT_EQ(ControlWidget<QLabel>(hMain, IDC_CHANNEL_LABEL_FIRST + 1)->text(), "/tmp/drums & bass FR.wav")
            << "a label without SS_NOPREFIX draws '&&' as '&' and no single '&'";

        Later([&] {
            HWND hSettings = CModalStack::Top();
            ExpectPeersMatchModel(hSettings);
            // "2.1" added with Front Left, Front Right and Low Frequency; quadriphony removed.
            CUserInput::Type(hSettings->FindChild(IDC_CONFIGURATIONS), "2.1");
            for (int nItem : {2, 4, 5})
                CUserInput::Toggle(hSettings->FindChild(IDC_CHANNELS), nItem);
            CUserInput::Click(hSettings->FindChild(IDC_ADD));
            CUserInput::Select(hSettings->FindChild(IDC_CONFIGURATIONS), 1);
            CUserInput::Click(hSettings->FindChild(IDC_REMOVE));
            ASSERT_EQ(settings.m_aConfigurations.size(), 5u);
            ExpectPeersMatchModel(hSettings);
            ExpectPeersMatchModel(hMain);
            CUserInput::Key(hSettings, VK_ESCAPE);
        });
        CUserInput::Click(hMain->FindChild(IDC_SETTINGS));

        Later([&] {
            HWND hAbout = CModalStack::Top();
            ExpectPeersMatchModel(hAbout);
            // The program icon as drawn: stems red above blue, a transparent corner.
            QImage icon = WidgetOf<QLabel>(hAbout->Children().front())->pixmap().toImage();
            EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
            EXPECT_EQ(icon.pixelColor(0, 10), QColor(0xFF, 0, 0));
            EXPECT_EQ(icon.pixelColor(0, 24), QColor(0, 0, 0xFF));
            CUserInput::Key(hAbout, VK_RETURN);
        });
        CUserInput::Click(hMain->FindChild(IDC_ABOUT));
        EXPECT_EQ(WidgetOf(hMain)->windowIcon().availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    app.m_pMainWnd = nullptr;
}

}  // namespace
