// A dialog with every kind of control the Qt backend shows, laid out like
// the program's settings dialog: push buttons, check boxes, statics with
// and without "&" processing, an icon, framed and borderless edits, the
// three kinds of combo box, a multiple-selection list box and a progress
// bar. It records every WM_COMMAND and WM_SYSCOMMAND it receives, so tests
// see what a person's action sent.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/cdialog.h"
#include "platform/cedit.h"
#include "platform/cfont.h"
#include "platform/cprogressctrl.h"
#include "platform/resources.h"

// The dialog's ids, apart from the program's own.
namespace kinds {

constexpr UINT IDD_KINDS = 300;
constexpr UINT IDI_KINDS = 301;

constexpr int IDC_RUN = 10;  // the default push button: steps the progress bar to its end
constexpr int IDC_ASK = 11;  // asks a Yes/No question
constexpr int IDC_PAD = 12;
constexpr int IDC_OLD_STYLE = 13;
constexpr int IDC_PREFIXED = 14;
constexpr int IDC_NOPREFIX = 15;
constexpr int IDC_NAME = 17;
constexpr int IDC_CHOICE = 18;    // drop-down list
constexpr int IDC_DEFAULT = 19;   // drop-down combo box with an edit field
constexpr int IDC_NAMES = 20;     // simple combo box
constexpr int IDC_CHANNELS = 21;  // multiple-selection list box
constexpr int IDC_BAR = 22;
constexpr int IDC_SUFFIX_FIRST = 30;  // borderless edits made at run time
constexpr int kSuffixCount = 3;

}  // namespace kinds

extern const ResourceTable kKindsResources;

struct RecordedMessage {
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
};

class CKindsDlg : public CDialog {
public:
    CKindsDlg() : CDialog(kinds::IDD_KINDS) {}

    std::vector<RecordedMessage> m_received;
    int m_nLastAnswer = 0;
    // Called on every step of Run, after the bar moved.
    std::function<void(int nPos)> m_onStep;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnRun();
    void OnAsk();

    CProgressCtrl m_bar;
    CFont m_font;
    std::unique_ptr<CEdit> m_pSuffix[kinds::kSuffixCount];

    DECLARE_MESSAGE_MAP()
};
