// CWinApp: the application object. AfxWinMain starts it: it records the
// executable's path and names, runs InitInstance and then ExitInstance,
// whose result is the exit code. The desktop program's windows are all
// modal, so there is no message loop outside their modal loops.
#pragma once

#include <vector>

#include "core/cstring.h"
#include "platform/cwnd.h"

class CWinApp {
public:
    // Without an application name the executable's base name is used.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // Three-dimensional controls are the backend's look; nothing to enable.
    BOOL Enable3dControls() { return TRUE; }
    // The full path of the executable, as the framework was started with it.
    const CString& GetModuleFileName() const { return m_strModuleFileName; }

    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszExeName = nullptr;  // the executable's file name without its extension
    CWnd* m_pMainWnd = nullptr;
    // The files named on the command line, to be opened once the program runs.
    std::vector<CString> m_strFilesToOpen;

private:
    friend int AfxWinMain(CWinApp& app, const CString& strModuleFileName, std::vector<CString> filesToOpen);

    CString m_strAppNameGiven;
    CString m_strModuleFileName;
    CString m_strExeName;
};

// Starts the application as its executable strModuleFileName, with the
// files named on its command line; returns the exit code.
int AfxWinMain(CWinApp& app, const CString& strModuleFileName, std::vector<CString> filesToOpen = {});
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
