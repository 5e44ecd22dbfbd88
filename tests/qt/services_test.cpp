// The modal services for people: message boxes as AfxMessageBox shows them,
// and file dialogs with Win32's filter list, names of missing files, default
// extension and overwrite question, wide enough for whole dates.
#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QTest>
#include <QTreeView>

#include "platform/afxmessagebox.h"
#include "platform/cfiledialog.h"
#include "tests/qt/qtharness.h"
#include "tests/support/tempdir.h"

namespace {

using ServicesTest = QtTest;

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

// What is typed, and the file chosen: the default extension added as Win32
// adds it, to any name without one but that of an existing file for an open
// dialog. An open dialog takes a missing file (Process reports it); a save
// dialog asks before replacing. Both start on the first filter.
TEST_F(ServicesTest, FileDialogsTakeTypedNamesAndTheSaveDialogAsksBeforeReplacing)
{
    TempDir folder;
    WriteWholeFile(folder / "drumsFL.wav", "RIFF");
    WriteWholeFile(folder / "drumsLF", "RIFF");
    const std::tuple<BOOL, const char*, const char*, int> cases[] = {  // open, typed, chosen, questions
        {TRUE, "drumsFL.wav", "drumsFL.wav", 0}, {TRUE, "drumsFR.wav", "drumsFR.wav", 0},
        {TRUE, "drumsFC", "drumsFC.wav", 0},     {TRUE, "drumsLF", "drumsLF", 0},
        {FALSE, "drumsFL", "drumsFL.wav", 1},
    };
    for (const auto& [bOpen, pszTyped, pszChosen, nQuestionsAsked] : cases) {
        CFileDialog dlg(bOpen, "*.wav", "", OFN_HIDEREADONLY | (bOpen ? 0 : OFN_OVERWRITEPROMPT),
                        "Wave files (*.wav)|*.wav|All files (*.*)|*.*|");
        dlg.m_ofn.lpstrInitialDir = folder.path().c_str();
        int nQuestions = 0;
        Later([&] {
            auto* pTypes = ActiveModal<QFileDialog>()->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(pTypes, nullptr);
            EXPECT_EQ(pTypes->currentText(), "Wave files (*.wav)") << "the first filter, as the program wrote it";
            // Name, size, type and date side by side without scrolling, the
            // date column (sized by Qt for a short date) with room for a whole one.
            auto* pList = ActiveModal<QFileDialog>()->findChild<QTreeView*>(QStringLiteral("treeView"));
            ASSERT_NE(pList, nullptr);
            const QString strDate = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
            EXPECT_LE(pList->header()->length(), pList->viewport()->width());
            EXPECT_GT(pList->header()->sectionSize(3), pList->fontMetrics().horizontalAdvance(strDate));
            // A question, or a refusal, is a message box over the dialog.
            Later([&] {
                if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    ++nQuestions;
                    if (pBox->button(QMessageBox::Yes)) {
                        QTest::mouseClick(pBox->button(QMessageBox::Yes), Qt::LeftButton);
                        return;
                    }
                    pBox->accept();
                    ActiveModal<QFileDialog>()->reject();
                }
            });
            TypeFileName(pszTyped);
        });
        EXPECT_EQ(dlg.DoModal(), IDOK) << pszTyped;
        EXPECT_EQ(dlg.GetPathName(), CString(folder / pszChosen));
        EXPECT_EQ(nQuestions, nQuestionsAsked) << pszTyped;
    }
}

}  // namespace
