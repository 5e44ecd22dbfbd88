// The road of one merge on the screen: Front Left picked in Qt's open
// dialog fills the other rows, and Process shows every step of the merge
// while the window takes no input.
#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <filesystem>

#include "platform/cwinapp.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"

namespace {

class RoadTest : public QtTest {
protected:
    RoadTest() : QtTest(&kPlexoraResources) { settings.LoadDefaultSettings(); }

    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(RoadTest, OneMergeFromTheFirstRowsFileToTheOutputBesideIt)
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
        QTest::mouseClick(ControlWidget(hDialog, IDC_CHANNEL_BUTTON_FIRST), Qt::LeftButton);
        EXPECT_EQ(ControlWidget<QLabel>(hDialog, IDC_CHANNEL_LABEL_FIRST + 5)->text(),
                  QString::fromStdString(folder / "drumsBR.wav"))
            << "the siblings are loaded";

        // Each position the bar shows; at the first one a person presses
        // Process again, then Escape.
        auto* pBar = ControlWidget<QProgressBar>(hDialog, IDC_PROGRESS);
        QMetaObject::Connection watch = QObject::connect(pBar, &QProgressBar::valueChanged, pBar, [&](int nPos) {
            shown.push_back(nPos);
            if (shown.size() == 1) {
                QTest::mouseClick(ControlWidget(hDialog, IDC_PROCESS), Qt::LeftButton);
                QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
            }
        });
        QTest::mouseClick(ControlWidget(hDialog, IDC_PROCESS), Qt::LeftButton);
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
