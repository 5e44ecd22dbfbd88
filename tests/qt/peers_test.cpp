// Every peer shows its window as the model has it, after the program's own
// operations: the main dialog's opening, a configuration switch, labels
// filled, progress steps, 18 rows, the About box; and a dialog with every
// kind of control changed by program calls. Fonts and icons as Qt draws them.
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/cbutton.h"
#include "platform/ccombobox.h"
#include "platform/clistbox.h"
#include "platform/cwinapp.h"
#include "platform/modalstack.h"
#include "platform/qt/qtfont.h"
#include "platform/qt/qticon.h"
#include "platform/styles.h"
#include "platform/winapi.h"
#include "tests/qt/kindsdlg.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

class MainDialogPeersTest : public QtTest {
protected:
    MainDialogPeersTest() : QtTest(&kPlexoraResources) { settings.LoadDefaultSettings(); }

    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(MainDialogPeersTest, OpeningSwitchingLabelsAndProgressShowAsTheModelHasThem)
{
    CMainDlg dlg(settings);
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(WidgetOf(hDialog)->size(), QSize(558, 213)) << "564 x 238 outside";
        EXPECT_EQ(ControlWidget(hDialog, IDC_CHANNEL_BUTTON_FIRST + 5)->geometry(), QRect(8, 159, 144, 23));
        EXPECT_EQ(ControlWidget(hDialog, IDC_PROCESS)->geometry().bottom() + 1, 208);
        EXPECT_EQ(ControlWidget<QComboBox>(hDialog, IDC_CONFIGURATION)->currentText(), "surround 5.1");
        EXPECT_EQ(ControlWidget<QPushButton>(hDialog, IDC_CHANNEL_BUTTON_FIRST)->text(), "Front Left");

        // A person picks "stereo": the rows are rebuilt and the window shrinks.
        auto* pCombo = ControlWidget<QComboBox>(hDialog, IDC_CONFIGURATION);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(pCombo, Qt::Key_Up);
        ASSERT_EQ(pCombo->currentText(), "stereo");
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(WidgetOf(hDialog)->size(), QSize(558, 109)) << "564 x 134 outside";
        EXPECT_EQ(hDialog->FindChild(IDC_CHANNEL_BUTTON_FIRST + 2), nullptr);

        // The program fills a label and steps the progress bar.
        dlg.GetDlgItem(IDC_CHANNEL_LABEL_FIRST + 1)->SetWindowText("/tmp/a b/drums & bass FR.wav");
        dlg.SetProgressRange(40);
        dlg.SetProgressPos(13);
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(ControlWidget<QLabel>(hDialog, IDC_CHANNEL_LABEL_FIRST + 1)->text(),
                  "/tmp/a b/drums  bass FR.wav")
            << "a label without SS_NOPREFIX draws no single '&'";
        EXPECT_EQ(ControlWidget<QProgressBar>(hDialog, IDC_PROGRESS)->value(), 13);
        dlg.SetProgressPos(0);
        EXPECT_EQ(ControlWidget<QProgressBar>(hDialog, IDC_PROGRESS)->value(), 0);
        QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(MainDialogPeersTest, EighteenRowsFillTheTallWindow)
{
    settings.m_aConfigurations.push_back(std::make_unique<CConfiguration>(CConfiguration{"all", 0x3FFFF}));
    settings.m_nDefaultConfiguration = static_cast<int>(settings.m_aConfigurations.size()) - 1;
    CMainDlg dlg(settings);
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(WidgetOf(hDialog)->size(), QSize(558, 525)) << "564 x 550 outside";
        EXPECT_EQ(ControlWidget(hDialog, IDC_CHANNEL_BUTTON_FIRST + 17)->geometry(), QRect(8, 471, 144, 23));
        EXPECT_EQ(ControlWidget(hDialog, IDC_ABOUT)->geometry().bottom() + 1, 520);
        QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
    });
    dlg.DoModal();
}

TEST_F(MainDialogPeersTest, TheAboutBoxNestsWithTheProgramIcon)
{
    CMainDlg dlg(settings);
    Later([&] {
        HWND hMain = dlg.m_hWnd;
        Later([&] {
            HWND hAbout = CModalStack::Top();
            ASSERT_NE(hAbout, hMain);
            ExpectPeersMatchModel(hAbout);
            EXPECT_EQ(WidgetOf(hAbout)->windowTitle(), "About Plexora");
            EXPECT_EQ(WidgetOf(hAbout)->parentWidget(), WidgetOf(hMain)) << "owned by the main window";
            EXPECT_FALSE(hMain->IsEnabled()) << "the owner is disabled";
            EXPECT_FALSE(backend.CanAct(hMain));
            // A click into the owner does nothing: no second About box.
            QTest::mouseClick(ControlWidget(hMain, IDC_ABOUT), Qt::LeftButton);
            EXPECT_EQ(CModalStack::Top(), hAbout);
            QLabel* pIcon = nullptr;
            for (HWND hChild : hAbout->Children())
                if ((hChild->Style() & SS_TYPEMASK) == SS_ICON)
                    pIcon = WidgetOf<QLabel>(hChild);
            ASSERT_NE(pIcon, nullptr);
            EXPECT_EQ(pIcon->pixmap().size(), QSize(32, 32));
            QTest::keyClick(WidgetOf(hAbout), Qt::Key_Return);
        });
        QTest::mouseClick(ControlWidget(hMain, IDC_ABOUT), Qt::LeftButton);
        EXPECT_EQ(CModalStack::Top(), hMain) << "Enter closed the About box";
        EXPECT_TRUE(hMain->IsEnabled());
        EXPECT_EQ(WidgetOf(hMain)->windowIcon().availableSizes(),
                  QList<QSize>({QSize(32, 32), QSize(16, 16)}));
        QTest::keyClick(WidgetOf(hMain), Qt::Key_Escape);
    });
    dlg.DoModal();
}

// Paints of a progress bar, with the position each one showed.
class CPaintRecorder : public QObject {
public:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint)
            m_positions.push_back(static_cast<QProgressBar*>(pWatched)->value());
        return false;
    }
    std::vector<int> m_positions;
};

TEST_F(MainDialogPeersTest, AFilePickedInQtsDialogFillsTheRowsAndProcessPaintsEveryStep)
{
    TempDir folder;
    // 300000 samples: six blocks of 102400 bytes per input, so six steps.
    const std::string strStem = MonoWav(std::vector<std::int16_t>(300000, 1000));
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"})
        WriteWholeFile(folder / ("drums" + std::string(pszSuffix) + ".wav"), strStem);
    CMainDlg dlg(settings);
    CPaintRecorder recorder;
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        Later([&] { TypeFileName(QString::fromStdString(folder / "drumsFL.wav")); });
        QTest::mouseClick(ControlWidget(hDialog, IDC_CHANNEL_BUTTON_FIRST), Qt::LeftButton);
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(ControlWidget<QLabel>(hDialog, IDC_CHANNEL_LABEL_FIRST + 5)->text(),
                  QString::fromStdString(folder / "drumsBR.wav"))
            << "the siblings are loaded";

        auto* pBar = ControlWidget<QProgressBar>(hDialog, IDC_PROGRESS);
        pBar->installEventFilter(&recorder);
        QTest::mouseClick(ControlWidget(hDialog, IDC_PROCESS), Qt::LeftButton);
        pBar->removeEventFilter(&recorder);
        ExpectPeersMatchModel(hDialog);
        QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
    });
    dlg.DoModal();
    EXPECT_TRUE(std::filesystem::exists(folder / "drumssurround 5.1.wav"));
    // Painted while the merge ran: each step, then the reset (a position
    // may be painted more than once).
    std::vector<int> shown = recorder.m_positions;
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    if (!shown.empty() && shown.front() == 0)
        shown.erase(shown.begin());
    std::vector<int> expected = {1, 2, 3, 4, 5, 6, 0};
    EXPECT_EQ(shown, expected);
}

class KindsPeersTest : public QtTest {
protected:
    KindsPeersTest() : QtTest(&kKindsResources) {}
};

TEST_F(KindsPeersTest, ProgramCallsReachTheWidgetsAtOnce)
{
    CKindsDlg dlg;
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(ControlWidget<QLabel>(hDialog, kinds::IDC_PREFIXED)->text(), "Left & right");
        EXPECT_EQ(ControlWidget<QLabel>(hDialog, kinds::IDC_NOPREFIX)->text(), "Version 1.0 & more");

        dlg.SetWindowText("Renamed");
        dlg.GetDlgItem(kinds::IDC_NAME)->SetWindowText("typed by the program");
        dlg.GetDlgItem(kinds::IDC_RUN)->MoveWindow(20, 30, 80, 25);
        dlg.GetDlgItem(kinds::IDC_PAD)->EnableWindow(FALSE);
        static_cast<CButton*>(dlg.GetDlgItem(kinds::IDC_OLD_STYLE))->SetCheck(BST_CHECKED);
        auto* pChoice = static_cast<CComboBox*>(dlg.GetDlgItem(kinds::IDC_CHOICE));
        pChoice->DeleteString(0);
        pChoice->AddString("mine");
        auto* pDefault = static_cast<CComboBox*>(dlg.GetDlgItem(kinds::IDC_DEFAULT));
        pDefault->DeleteString(3);
        pDefault->SetCurSel(0);
        auto* pNames = static_cast<CComboBox*>(dlg.GetDlgItem(kinds::IDC_NAMES));
        pNames->InsertString(0, "first");
        static_cast<CListBox*>(dlg.GetDlgItem(kinds::IDC_CHANNELS))->SetSel(-1, FALSE);
        static_cast<CListBox*>(dlg.GetDlgItem(kinds::IDC_CHANNELS))->SetSel(5, TRUE);
        dlg.SetWindowPos(nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(ControlWidget<QComboBox>(hDialog, kinds::IDC_CHOICE)->currentText(), "surround 5.1")
            << "the selection moves with its item";

        // Run-time controls come and go, as rows do.
        {
            CButton row;
            row.Create("Row", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(8, 29, 152, 52), &dlg, 666);
            ExpectPeersMatchModel(hDialog);
        }
        ExpectPeersMatchModel(hDialog);
        pChoice->ResetContent();
        ExpectPeersMatchModel(hDialog);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(QtFontTest, FacesMapToLiberationSansWithTheHeightsAsked)
{
    LOGFONT logFont = {};
    std::strcpy(logFont.lfFaceName, "MS Sans Serif");
    logFont.lfHeight = -11;
    QFont font = QtFont(logFont);
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
    EXPECT_EQ(font.pixelSize(), 11);
    std::strcpy(logFont.lfFaceName, "Arial");
    logFont.lfHeight = 16;  // a cell height: ascent plus descent
    logFont.lfWeight = 700;
    font = QtFont(logFont);
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans");
    EXPECT_TRUE(font.bold());
    EXPECT_NEAR(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), 16, 1);
    EXPECT_EQ(QtFontFamily("Courier New"), "Courier New") << "other faces are left to the font system";
}

TEST(QtIconTest, TheProgramIconDecodesAsDrawn)
{
    AfxSetResourceTable(&kPlexoraResources);
    QIcon icon = QtIcon(AfxFindIcon(IDR_MAINFRAME));
    AfxSetResourceTable(nullptr);
    ASSERT_EQ(icon.availableSizes(), QList<QSize>({QSize(32, 32), QSize(16, 16)}));
    QImage big = icon.pixmap(32, 32).toImage();
    EXPECT_EQ(big.pixelColor(0, 0).alpha(), 0) << "a transparent corner";
    EXPECT_EQ(big.pixelColor(0, 10), QColor(0xFF, 0x00, 0x00)) << "the red stem";
    EXPECT_EQ(big.pixelColor(0, 17), QColor(0x00, 0x80, 0x00)) << "the green stem";
    EXPECT_EQ(big.pixelColor(0, 24), QColor(0x00, 0x00, 0xFF)) << "the blue stem";
    EXPECT_EQ(big.pixelColor(13, 1), QColor(0, 0, 0)) << "the file's outline";
    EXPECT_EQ(big.pixelColor(15, 20), QColor(0xFF, 0xFF, 0xFF)) << "the file's page";
    QImage small = icon.pixmap(16, 16).toImage();
    EXPECT_EQ(small.pixelColor(0, 5), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(small.pixelColor(0, 0).alpha(), 0);
}

TEST(QtIconTest, AnIconWithoutImagesShowsNothing)
{
    const IconResource empty = {1, {}};
    EXPECT_TRUE(QtIcon(&empty).isNull());
    EXPECT_TRUE(QtIconPixmap(nullptr, 32).isNull());
}

}  // namespace
