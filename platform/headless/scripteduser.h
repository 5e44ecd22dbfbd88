// CScriptedUser: the person of a scenario. It reads the script line by line:
// at the top level (before `start`, after the program returned), inside each
// modal loop (what the person does and checks), and whenever the program
// asks something (the next line must answer it). The first line that does
// not hold ends the process with exit code 1, after printing the script's
// name, the line number, the line and what was found instead.
#pragma once

#include <functional>
#include <vector>

#include "core/cstring.h"
#include "platform/headless/scriptline.h"
#include "platform/modalservices.h"

class CHeadlessBackend;

class CScriptedUser {
public:
    // Starts the program as the executable strModuleFileName, with the files
    // named on its command line, and returns when it has returned from
    // ExitInstance.
    using ProgramRunner =
        std::function<void(const CString& strModuleFileName, const std::vector<CString>& filesToOpen)>;

    CScriptedUser(CString strScriptName, std::vector<CScriptLine> lines, CHeadlessBackend& backend,
                  ProgramRunner runProgram, CString strExeName, CString strDefaultAppDir);

    // Runs the script; 0 when every line held.
    int Run();

    void RunModalLoop(HWND hDialog);
    int AnswerMessageBox(const CString& strText, const CString& strCaption, UINT nType);
    bool AnswerFileDialog(const FileDialogRequest& request, CString& strPath);

private:
    const CScriptLine* Next();
    [[noreturn]] void Fail(const CScriptLine* pLine, const CString& strFound);
    void ActInProgram(const CScriptLine& line);
    void Act(const CScriptLine& line, HWND hDialog);
    HWND Control(const CScriptLine& line, HWND hDialog);
    CString Drop(const CScriptLine& line, HWND hDialog);
    CString ActiveWindowText() const;
    void TakeCaptionChecks();
    void CheckNoCaptionPending();

    CString m_strScriptName;
    std::vector<CScriptLine> m_lines;
    size_t m_nNext = 0;
    CHeadlessBackend& m_backend;
    ProgramRunner m_runProgram;
    CString m_strExeName;
    CString m_strAppDir;
    bool m_bRunning = false;
    bool m_bReturned = false;
    const CScriptLine* m_pCaptionCheck = nullptr;
};
