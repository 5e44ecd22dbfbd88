// The modal services for people: message boxes as AfxMessageBox shows them,
// and open and save dialogs with Win32's filter list, default extension and
// overwrite question.
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "platform/afxmessagebox.h"
#include "platform/cfiledialog.h"
#include "platform/cwinapp.h"
#include "platform/qt/qttext.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"

namespace {

class ServicesTest : public QtTest {
protected:
    ServicesTest() : QtTest(nullptr) {}

    FileDialogRequest SaveRequest() const
    {
        CFileDialog dlg(FALSE, "*.wav", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                        "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
        dlg.m_ofn.lpstrInitialDir = folder.path().c_str();
        return dlg.BuildRequest();
    }

    CWinApp app{"plexora"};
    TempDir folder;
};

TEST_F(ServicesTest, MessageBoxesShowTheProgramsNameAndTheButtonsAsked)
{
    Later([] {
        auto* pBox = ActiveModal<QMessageBox>();
        ASSERT_NE(pBox, nullptr);
        EXPECT_EQ(pBox->windowTitle(), "plexora");
        EXPECT_EQ(pBox->text(), "Unable to write the settings file !");
        EXPECT_EQ(pBox->standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(pBox->icon(), QMessageBox::Warning);
        QTest::keyClick(pBox, Qt::Key_Return);
    });
    EXPECT_EQ(AfxMessageBox("Unable to write the settings file !", MB_OK), IDOK);

    Later([] {
        auto* pBox = ActiveModal<QMessageBox>();
        ASSERT_NE(pBox, nullptr);
        EXPECT_EQ(pBox->text(), "Warning: this configuration has only one channel !\nDo you want to proceed ?");
        EXPECT_EQ(pBox->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(pBox->icon(), QMessageBox::Question);
        QTest::keyClick(pBox, Qt::Key_Escape);
    });
    EXPECT_EQ(AfxMessageBox("Warning: this configuration has only one channel !\nDo you want to proceed ?",
                            MB_YESNO),
              IDNO);

    Later([] { QTest::mouseClick(ActiveModal<QMessageBox>()->button(QMessageBox::Yes), Qt::LeftButton); });
    EXPECT_EQ(AfxMessageBox("Proceed ?", MB_YESNO), IDYES);
}

TEST(QtFileDialogTest, FiltersKeepTheirWordsAndMatchAsWin32Does)
{
    std::vector<FileFilter> filters =
        CFileDialog::ParseFilter("Wave files (*.wav)|*.wav|All files (*.*)|*.*|Takes|*.wav;*.bwf|");
    EXPECT_EQ(CQtFileDialog::NameFilters(filters),
              QStringList({"Wave files (*.wav) (*.wav)", "All files (*.*) (*)", "Takes (*.wav *.bwf)"}));
}

TEST(QtFileDialogTest, TheDefaultExtensionCompletesANameWithoutOne)
{
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out", "wav"), "/a/out.wav");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a.b/out", "wav"), "/a.b/out.wav");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out.WAV", "wav"), "/a/out.WAV");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out.mix", "wav"), "/a/out.mix");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out", ""), "/a/out");
}

TEST_F(ServicesTest, SaveDialogStartsOnTheFirstFilterAndAddsTheExtension)
{
    Later([] {
        auto* pDialog = ActiveModal<QFileDialog>();
        ASSERT_NE(pDialog, nullptr);
        EXPECT_EQ(pDialog->windowTitle(), "Save As");
        EXPECT_EQ(pDialog->acceptMode(), QFileDialog::AcceptSave);
        auto* pTypes = pDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(pTypes, nullptr);
        EXPECT_EQ(pTypes->currentIndex(), 0) << "the first filter is active";
        EXPECT_EQ(pTypes->currentText(), "Wave files (*.wav)") << "shown as the program wrote it";
        EXPECT_EQ(pTypes->itemText(1), "All files (*.*)");
        TypeFileName("mix");
    });
    CString strPath;
    ASSERT_TRUE(backend.GetFileName(SaveRequest(), strPath));
    EXPECT_EQ(strPath, CString(folder / "mix.wav"));
}

TEST_F(ServicesTest, SavingOverAFileAsksFirst)
{
    WriteWholeFile(folder / "mix.wav", "old");
    int nQuestions = 0;
    Later([&] {
        Later([&] {
            auto* pBox = ActiveModal<QMessageBox>();
            ASSERT_NE(pBox, nullptr);
            ++nQuestions;
            EXPECT_TRUE(pBox->text().contains("mix.wav")) << pBox->text().toStdString();
            QTest::mouseClick(pBox->button(QMessageBox::No), Qt::LeftButton);
            // Back in the dialog, the person gives up.
            Later([] { QTest::keyClick(ActiveModal<QFileDialog>(), Qt::Key_Escape); });
        });
        TypeFileName("mix");
    });
    CString strPath = "unchanged";
    EXPECT_FALSE(backend.GetFileName(SaveRequest(), strPath));
    EXPECT_EQ(strPath, "unchanged");
    EXPECT_EQ(nQuestions, 1);

    Later([&] {
        Later([&] {
            ++nQuestions;
            QTest::mouseClick(ActiveModal<QMessageBox>()->button(QMessageBox::Yes), Qt::LeftButton);
        });
        TypeFileName("mix");
    });
    ASSERT_TRUE(backend.GetFileName(SaveRequest(), strPath));
    EXPECT_EQ(strPath, CString(folder / "mix.wav"));
    EXPECT_EQ(nQuestions, 2);
}

TEST_F(ServicesTest, OpenDialogFindsANameTypedWithoutItsExtensionAndTheNextOneOpensThere)
{
    WriteWholeFile(folder / "drumsFL.wav", "RIFF");
    CFileDialog open(TRUE, "*.wav", "", OFN_HIDEREADONLY, "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
    open.m_ofn.lpstrInitialDir = folder.path().c_str();
    Later([] {
        EXPECT_EQ(ActiveModal<QFileDialog>()->windowTitle(), "Open");
        TypeFileName("drumsFL");
    });
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), CString(folder / "drumsFL.wav"));

    // Without a folder of its own, the next dialog opens where the last file was.
    CFileDialog again(TRUE, "*.wav", "", OFN_HIDEREADONLY, "Wave files (*.wav)|*.wav|");
    Later([&] {
        auto* pDialog = ActiveModal<QFileDialog>();
        ASSERT_NE(pDialog, nullptr);
        EXPECT_EQ(pDialog->directory().absolutePath(), ToQString(CString(folder.path().string())));
        QTest::keyClick(pDialog, Qt::Key_Escape);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
}

}  // namespace
