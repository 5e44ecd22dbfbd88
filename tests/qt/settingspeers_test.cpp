// The settings dialog on the screen: every widget as the model has it (no
// push button drawn as the default one, borderless suffix edits in their
// column), the simple combo box's list always shown, and a person's clicks
// and typing editing the record as they do without a screen.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "platform/cwinapp.h"
#include "tests/qt/qtharness.h"
#include "ui/plexoraresources.h"
#include "ui/resource.h"
#include "ui/settingsdlg.h"

namespace {

class SettingsPeersTest : public QtTest {
protected:
    SettingsPeersTest() : QtTest(&kPlexoraResources) { settings.LoadDefaultSettings(); }

    CWinApp app{"plexora"};
    CSettings settings;
};

TEST_F(SettingsPeersTest, ShowsAsTheModelHasItAndEditsTheRecordByMouseAndKeyboard)
{
    CSettingsDlg dlg(settings);
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        ExpectPeersMatchModel(hDialog);
        EXPECT_EQ(WidgetOf(hDialog)->size(), QSize(440, 354));
        QWidget* pNames = ControlWidget(hDialog, IDC_CONFIGURATIONS);
        auto* pNamesList = pNames->findChild<QListWidget*>();
        ASSERT_NE(pNamesList, nullptr);
        EXPECT_TRUE(pNamesList->isVisible()) << "the simple combo box's list is always shown";
        auto* pLastSuffix = ControlWidget<QLineEdit>(hDialog, IDC_SUFFIX_FIRST + 17);
        EXPECT_FALSE(pLastSuffix->hasFrame());
        EXPECT_EQ(pLastSuffix->geometry(), QRect(328, 330, 100, 13));

        // Front Left, Front Right and Low Frequency, by clicks that toggle.
        auto* pChannels = ControlWidget<QListWidget>(hDialog, IDC_CHANNELS);
        for (int nRow : {2, 4, 5})
            QTest::mouseClick(pChannels->viewport(), Qt::LeftButton, {},
                              pChannels->visualItemRect(pChannels->item(nRow)).center());
        QLineEdit* pName = pNames->findChild<QLineEdit*>();
        pName->clear();
        QTest::keyClicks(pName, "2.1");
        QTest::mouseClick(ControlWidget(hDialog, IDC_ADD), Qt::LeftButton);
        ExpectPeersMatchModel(hDialog);

        auto* pSuffix = ControlWidget<QLineEdit>(hDialog, IDC_SUFFIX_FIRST + 2);
        pSuffix->selectAll();
        QTest::keyClick(pSuffix, Qt::Key_Delete);
        QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
    });
    dlg.DoModal();
    ASSERT_EQ(settings.m_aConfigurations.size(), 6u);
    EXPECT_EQ(settings.m_aConfigurations[5]->m_strName, "2.1");
    EXPECT_EQ(settings.m_aConfigurations[5]->m_dwChannelMask, 0xBu);
    EXPECT_EQ(settings.m_strSuffixes[2], "");
    EXPECT_EQ(settings.m_nDefaultConfiguration, 3);
}

}  // namespace
