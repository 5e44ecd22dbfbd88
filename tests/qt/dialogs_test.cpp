// The program's dialogs on the screen: every peer as the model has it, and
// the road of one merge.
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <filesystem>

#include "platform/modalstack.h"
#include "platform/userinput.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"
#include "ui/maindlg.h"
#include "ui/resource.h"

namespace {

class DialogsTest : public QtTest {
protected:
    DialogsTest() { settings.LoadDefaultSettings(); }

    CSettings settings;
};

TEST_F(DialogsTest, EveryPeerShowsItsWindowAsTheModelHasIt)
{
    CMainDlg dlg(settings);
    app.m_pMainWnd = &dlg;
    Later([&] {
        HWND hMain = dlg.m_hWnd;
        ExpectPeersMatchModel(hMain);
        // A switch to stereo, a label filled, a progress step.
        ASSERT_TRUE(CUserInput::Select(hMain->FindChild(IDC_CONFIGURATION), 0).IsEmpty());
        ExpectPeersMatchModel(hMain);
        dlg.GetDlgItem(IDC_CHANNEL_LABEL_FIRST + 1)->SetWindowText("/tmp/drums && bass &FR.wav");
        dlg.SetProgressRange(40);
        dlg.SetProgressPos(13);
        ExpectPeersMatchModel(hMain);
        EXPECT_EQ(WidgetOf<QLabel>(hMain, IDC_CHANNEL_LABEL_FIRST + 1)->text(), "/tmp/drums & bass FR.wav")
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
            // The program icon as drawn, with a pixel of the screen for each
            // of its own: stems red above blue, a transparent corner, and the
            // red stem's top edge as sharp as the screen allows (a 32-pixel
            // image enlarged would blur it).
            QPixmap pixmap = WidgetOf<QLabel>(hAbout->Children().front())->pixmap();
            const int nScale = static_cast<int>(qApp->devicePixelRatio());
            EXPECT_EQ(pixmap.devicePixelRatio(), nScale);
            QImage icon = pixmap.toImage();
            EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0);
            EXPECT_EQ(icon.pixelColor(0, 10 * nScale - 1).alpha(), 0);
            EXPECT_EQ(icon.pixelColor(0, 10 * nScale), QColor(0xFF, 0, 0));
            EXPECT_EQ(icon.pixelColor(0, 24 * nScale), QColor(0, 0, 0xFF));
            CUserInput::Key(hAbout, VK_RETURN);
        });
        CUserInput::Click(hMain->FindChild(IDC_ABOUT));
        // The window manager gets images of 32 pixels for scale factors 1 and 2.
        const QList<QSize> windowIconSizes = WidgetOf(hMain)->windowIcon().availableSizes();
        EXPECT_TRUE(windowIconSizes.contains(QSize(32, 32)) && windowIconSizes.contains(QSize(64, 64)));
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    app.m_pMainWnd = nullptr;
}

// The road of one merge: Front Left picked in Qt's open dialog fills the
// other rows, whose tips tell what they hold, and Process shows every step
// while the window takes no input.
TEST_F(DialogsTest, OneMergeFromTheFirstRowsFileToTheOutputBesideIt)
{
    TempDir folder;
    // 300000 samples: six blocks of 102400 bytes per input, so six steps.
    const std::string strStem = MonoWav(std::vector<std::int16_t>(300000, 1000));
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"})
        WriteWholeFile(folder / ("drums" + std::string(pszSuffix) + ".wav"), strStem);
    CMainDlg dlg(settings);
    std::vector<int> shown;
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        Later([&] { TypeFileName(QString::fromStdString(folder / "drumsFL.wav")); });
        QTest::mouseClick(WidgetOf(hDialog, IDC_CHANNEL_BUTTON_FIRST), Qt::LeftButton);
        // What a sibling holds, as the pointer resting on its row shows it.
        EXPECT_EQ(WidgetOf(hDialog, IDC_CHANNEL_LABEL_FIRST + 5)->toolTip(),
                  QString::fromStdString(folder / "drumsBR.wav") + "\n16-bit PCM, 44100 Hz, 0:06.802");

        // Each position the bar shows; at the first one a person presses
        // Process again, then Escape.
        auto* pBar = WidgetOf<QProgressBar>(hDialog, IDC_PROGRESS);
        QMetaObject::Connection watch = QObject::connect(pBar, &QProgressBar::valueChanged, pBar, [&](int nPos) {
            shown.push_back(nPos);
            if (shown.size() == 1) {
                QTest::mouseClick(WidgetOf(hDialog, IDC_PROCESS), Qt::LeftButton);
                QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
            }
        });
        QTest::mouseClick(WidgetOf(hDialog, IDC_PROCESS), Qt::LeftButton);
        QObject::disconnect(watch);
        EXPECT_FALSE(hDialog->IsDialogEnded()) << "Escape during the merge was not taken";
        ExpectPeersMatchModel(hDialog);
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_TRUE(std::filesystem::exists(folder / "drumssurround 5.1.wav"));
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6, 0})) << "each step of one merge, then the reset";
}

}  // namespace
