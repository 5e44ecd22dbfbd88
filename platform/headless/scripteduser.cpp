#include "platform/headless/scripteduser.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/interruptsignals.h"
#include "platform/headless/headlessbackend.h"
#include "platform/headless/scriptchecks.h"
#include "platform/headless/windowdump.h"
#include "platform/messagequeue.h"
#include "platform/modalstack.h"
#include "platform/userinput.h"
#include "platform/windowrecord.h"

namespace {

bool IsAnswer(const CString& cmd)
{
    return cmd == "message" || cmd == "answer-open" || cmd == "answer-save" || cmd == "answer-cancel";
}

bool IsOutsideOnly(const CString& cmd)
{
    return cmd == "appdir" || cmd == "dpi" || cmd == "start" || cmd == "end";
}

CString DescribeBox(const CString& strText, UINT nType)
{
    return "a message box " + CWindowDump::Quote(strText) +
           ((nType & MB_TYPEMASK) == MB_YESNO ? " with Yes and No" : " with OK");
}

CString DescribeFileDialog(const FileDialogRequest& request)
{
    return request.bOpen ? "an open dialog" : "a save dialog";
}

}  // namespace

CScriptedUser::CScriptedUser(CString strScriptName, std::vector<CScriptLine> lines,
                             CHeadlessBackend& backend, ProgramRunner runProgram, CString strExeName,
                             CString strDefaultAppDir)
    : m_strScriptName(std::move(strScriptName)),
      m_lines(std::move(lines)),
      m_backend(backend),
      m_runProgram(std::move(runProgram)),
      m_strExeName(std::move(strExeName)),
      m_strAppDir(std::move(strDefaultAppDir))
{
}

const CScriptLine* CScriptedUser::Next()
{
    while (m_nNext < m_lines.size()) {
        const CScriptLine& line = m_lines[m_nNext++];
        if (!line.IsEmpty())
            return &line;
    }
    return nullptr;
}

void CScriptedUser::Fail(const CScriptLine* pLine, const CString& strFound)
{
    if (pLine)
        std::printf("%s:%d: %s\n", m_strScriptName.GetString(), pLine->Number(), pLine->Raw().GetString());
    else
        std::printf("%s: (end of script)\n", m_strScriptName.GetString());
    std::printf("  found: %s\n", strFound.GetString());
    std::fflush(stdout);
    // Unwinding the program's modal loops would run its exit code (and write
    // its files): a failed scenario stops where it stands, without the exit
    // processing that would report the program's objects as leaked.
    std::quick_exit(1);
}

CString CScriptedUser::ActiveWindowText() const
{
    HWND hActive = CModalStack::Top();
    return hActive ? "active window " + CWindowDump::Quote(hActive->Text()) : CString("no active window");
}

int CScriptedUser::Run()
{
    while (const CScriptLine* pLine = Next()) {
        const CString& cmd = pLine->Command();
        if (cmd == "appdir") {
            m_strAppDir = pLine->Arg(0);
        } else if (cmd == "dpi") {
            if (pLine->Int(0) <= 0)
                Fail(pLine, "a dpi must be positive");
            m_backend.SetDpi(pLine->Int(0));
        } else if (cmd == "start") {
            CheckNoCaptionPending();
            std::filesystem::path dir = std::filesystem::absolute(m_strAppDir.str());
            m_bRunning = true;
            m_bReturned = false;
            std::vector<CString> filesToOpen;
            for (int i = 0; i < pLine->ArgCount(); ++i)
                filesToOpen.push_back(pLine->Arg(i));
            m_runProgram(CString((dir / m_strExeName.str()).string()), filesToOpen);
            m_bRunning = false;
            m_bReturned = true;
        } else if (cmd == "end") {
            if (!m_bReturned)
                Fail(pLine, "the program was not started");
            CheckNoCaptionPending();
        } else if (IsAnswer(cmd)) {
            Fail(pLine, "the program asks nothing: it is not running");
        } else {
            Fail(pLine, "the program is not running");
        }
    }
    CheckNoCaptionPending();
    return 0;
}

void CScriptedUser::RunModalLoop(HWND hDialog)
{
    while (CWindowRecord::IsWindow(hDialog) && !hDialog->IsDialogEnded()) {
        CMessageQueue::DeliverPosted();
        if (!CWindowRecord::IsWindow(hDialog) || hDialog->IsDialogEnded())
            break;
        // Asked to end by a signal, the program closes its windows, innermost
        // first, as their close boxes would.
        if (GetPendingInterrupt() != 0) {
            const CString strWhy = CUserInput::Close(hDialog);
            if (!strWhy.IsEmpty())
                Fail(nullptr, "asked to end by a signal, the program cannot close: " + strWhy);
            continue;
        }
        const CScriptLine* pLine = Next();
        if (!pLine)
            Fail(nullptr, "the program still runs: " + ActiveWindowText());
        const CString& cmd = pLine->Command();
        if (IsOutsideOnly(cmd))
            Fail(pLine, "the program still runs: " + ActiveWindowText());
        if (IsAnswer(cmd))
            Fail(pLine, "the program asks nothing: " + ActiveWindowText());
        ActInProgram(*pLine);
    }
}

void CScriptedUser::ActInProgram(const CScriptLine& line)
{
    const CString& cmd = line.Command();
    if (cmd == "dump") {
        HWND hActive = CModalStack::Top();
        std::fputs(hActive ? CWindowDump::Dump(hActive).GetString() : "no active window\n", stdout);
    } else if (cmd == "expect-caption") {
        CheckNoCaptionPending();
        m_pCaptionCheck = &line;
    } else if (CScriptChecks::IsCheck(line)) {
        CString strFound = CScriptChecks::Check(line);
        if (!strFound.IsEmpty())
            Fail(&line, strFound);
    } else {
        HWND hActive = CModalStack::Top();
        if (!hActive)
            Fail(&line, "no active window");
        Act(line, hActive);
    }
}

HWND CScriptedUser::Control(const CScriptLine& line, HWND hDialog)
{
    HWND hControl = hDialog->FindChild(line.Int(0));
    if (!hControl)
        Fail(&line, "no control " + line.Arg(0) + " in " + CWindowDump::Quote(hDialog->Text()));
    return hControl;
}

void CScriptedUser::Act(const CScriptLine& line, HWND hDialog)
{
    const CString& cmd = line.Command();
    CString strWhy;
    if (cmd == "click")
        strWhy = CUserInput::Click(Control(line, hDialog));
    else if (cmd == "select")
        strWhy = CUserInput::Select(Control(line, hDialog), line.Int(1));
    else if (cmd == "toggle")
        strWhy = CUserInput::Toggle(Control(line, hDialog), line.Int(1));
    else if (cmd == "type")
        strWhy = CUserInput::Type(Control(line, hDialog), line.Arg(1));
    else if (cmd == "check")
        strWhy = CUserInput::Check(Control(line, hDialog), line.Int(1));
    else if (cmd == "key")
        strWhy = CUserInput::Key(hDialog, line.Arg(0) == "escape" ? VK_ESCAPE : VK_RETURN);
    else if (cmd == "close")
        strWhy = CUserInput::Close(hDialog);
    else if (cmd == "syscommand")
        strWhy = CUserInput::SysCommand(hDialog, static_cast<UINT>(line.Int(0)));
    else if (cmd == "drop")
        strWhy = Drop(line, hDialog);
    if (!strWhy.IsEmpty())
        Fail(&line, strWhy);
}

// Files dropped on a control's middle, or with id 0 on the dialog's own
// top-left corner, where no control lies.
CString CScriptedUser::Drop(const CScriptLine& line, HWND hDialog)
{
    HWND hTarget = line.Int(0) == 0 ? hDialog : Control(line, hDialog);
    std::vector<CString> files;
    for (int i = 1; i < line.ArgCount(); ++i)
        files.push_back(line.Arg(i));
    POINT point;
    if (hTarget != hDialog) {
        point.x = hTarget->Rect().Width() / 2;
        point.y = hTarget->Rect().Height() / 2;
    }
    return CUserInput::DropFiles(hTarget, files, point);
}

void CScriptedUser::TakeCaptionChecks()
{
    while (m_nNext < m_lines.size() &&
           (m_lines[m_nNext].IsEmpty() || m_lines[m_nNext].Command() == "expect-caption")) {
        const CScriptLine& line = m_lines[m_nNext++];
        if (!line.IsEmpty()) {
            CheckNoCaptionPending();
            m_pCaptionCheck = &line;
        }
    }
}

void CScriptedUser::CheckNoCaptionPending()
{
    if (m_pCaptionCheck)
        Fail(m_pCaptionCheck, "no message box came");
}

int CScriptedUser::AnswerMessageBox(const CString& strText, const CString& strCaption, UINT nType)
{
    TakeCaptionChecks();
    const CScriptLine* pLine = Next();
    if (!pLine || pLine->Command() != "message")
        Fail(pLine, DescribeBox(strText, nType));
    bool bYesNo = (nType & MB_TYPEMASK) == MB_YESNO;
    CString strButton = pLine->ArgCount() > 1 ? pLine->Arg(1) : CString("ok");
    if (pLine->Arg(0) != strText || (strButton != "ok") != bYesNo)
        Fail(pLine, DescribeBox(strText, nType));
    if (m_pCaptionCheck) {
        const CScriptLine* pCheck = m_pCaptionCheck;
        m_pCaptionCheck = nullptr;
        if (pCheck->Arg(0) != strCaption)
            Fail(pCheck, "the caption " + CWindowDump::Quote(strCaption));
    }
    if (strButton == "yes")
        return IDYES;
    return strButton == "no" ? IDNO : IDOK;
}

bool CScriptedUser::AnswerFileDialog(const FileDialogRequest& request, CString& strPath)
{
    const CScriptLine* pLine = Next();
    CString cmd = pLine ? pLine->Command() : CString();
    if (cmd == "answer-cancel")
        return false;
    if ((request.bOpen && cmd == "answer-open") || (!request.bOpen && cmd == "answer-save")) {
        strPath = pLine->Arg(0);
        return true;
    }
    Fail(pLine, DescribeFileDialog(request));
}
