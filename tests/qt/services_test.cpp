// The modal services for people: message boxes as AfxMessageBox shows them,
// and file dialogs with Win32's filter list, names of missing files, default
// extension and overwrite question.
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "platform/afxmessagebox.h"
#include "platform/cfiledialog.h"
#include "platform/cwinapp.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"

namespace {

class ServicesTest : public QtTest {
protected:
    ServicesTest() : QtTest(nullptr) {}

    CWinApp app{"plexora"};
};

TEST_F(ServicesTest, AQuestionShowsTheProgramsNameAndIsAnsweredYesOrNo)
{
    for (auto [key, nAnswer] : {std::pair{Qt::Key_Return, IDYES}, std::pair{Qt::Key_Escape, IDNO}}) {
        Later([key = key] {
            auto* pBox = ActiveModal<QMessageBox>();
            ASSERT_NE(pBox, nullptr);
            EXPECT_EQ(pBox->windowTitle(), "plexora");
            EXPECT_EQ(pBox->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QTest::keyClick(pBox, key);
        });
        EXPECT_EQ(AfxMessageBox("Proceed ?", MB_YESNO), nAnswer);
    }
}

// Filters keep their words and match as Win32's do: the list ends at an
// empty part or a description without a pattern. The default extension
// completes only a name without one.
TEST(QtFileDialogTest, FiltersAndTheDefaultExtension)
{
    std::vector<FileFilter> filters =
        CFileDialog::ParseFilter("Wave files (*.wav)|*.wav|All files (*.*)|*.*|Takes|*.wav;*.bwf||Ignored|*.x|");
    EXPECT_EQ(CQtFileDialog::NameFilters(filters),
              QStringList({"Wave files (*.wav) (*.wav)", "All files (*.*) (*)", "Takes (*.wav *.bwf)"}));
    EXPECT_EQ(CQtFileDialog::NameFilters(CFileDialog::ParseFilter("Wave|*.wav|Lonely|")), QStringList({"Wave (*.wav)"}));
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a.b/out", "wav"), "/a.b/out.wav");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out.WAV", "wav"), "/a/out.WAV");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out.mix", "wav"), "/a/out.mix");
    EXPECT_EQ(CQtFileDialog::WithDefaultExtension("/a/out", ""), "/a/out");
}

// Whether the file exists is the program's question: a row labelled with a
// missing file is reported by Process.
TEST_F(ServicesTest, TheOpenDialogTakesATypedNameWhetherOrNotItsFileExists)
{
    TempDir folder;
    WriteWholeFile(folder / "drumsFL.wav", "RIFF");
    WriteWholeFile(folder / "drumsLF", "RIFF");
    // What is typed, and the file chosen: the default extension added as
    // Win32 adds it, to any name without one but that of an existing file.
    for (auto [pszTyped, pszChosen] : {std::pair{"drumsFL.wav", "drumsFL.wav"}, std::pair{"drumsFR.wav", "drumsFR.wav"},
                                       std::pair{"drumsFC", "drumsFC.wav"}, std::pair{"drumsLF", "drumsLF"}}) {
        CFileDialog dlg(TRUE, "*.wav", "", OFN_HIDEREADONLY, "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
        dlg.m_ofn.lpstrInitialDir = folder.path().c_str();
        Later([&] {
            // A refusal would be a message box over the dialog.
            Later([] {
                if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ADD_FAILURE() << "refused: " << pBox->text().toStdString();
                    pBox->accept();
                    ActiveModal<QFileDialog>()->reject();
                }
            });
            TypeFileName(pszTyped);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK) << pszTyped;
        EXPECT_EQ(dlg.GetPathName(), CString(folder / pszChosen));
    }
}

TEST_F(ServicesTest, TheSaveDialogStartsOnTheFirstFilterAndAsksBeforeReplacing)
{
    TempDir folder;
    WriteWholeFile(folder / "mix.wav", "old");
    CFileDialog dlg(FALSE, "*.wav", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
    dlg.m_ofn.lpstrInitialDir = folder.path().c_str();
    int nQuestions = 0;
    Later([&] {
        auto* pDialog = ActiveModal<QFileDialog>();
        ASSERT_NE(pDialog, nullptr);
        auto* pTypes = pDialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(pTypes, nullptr);
        EXPECT_EQ(pTypes->currentText(), "Wave files (*.wav)") << "the first filter, as the program wrote it";
        Later([&] {
            auto* pQuestion = ActiveModal<QMessageBox>();
            ASSERT_NE(pQuestion, nullptr);
            ++nQuestions;
            QTest::mouseClick(pQuestion->button(QMessageBox::Yes), Qt::LeftButton);
        });
        TypeFileName("mix");
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(folder / "mix.wav"));
    EXPECT_EQ(nQuestions, 1);
}

}  // namespace
