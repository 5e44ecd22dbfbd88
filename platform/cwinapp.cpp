#include "platform/cwinapp.h"

#include "platform/resources.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) : m_strAppNameGiven(lpszAppName)
{
    if (lpszAppName)
        m_pszAppName = m_strAppNameGiven;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return AfxFindIcon(nIDResource);
}

int AfxWinMain(CWinApp& app, const CString& strModuleFileName, std::vector<CString> filesToOpen)
{
    app.m_strModuleFileName = strModuleFileName;
    app.m_strFilesToOpen = std::move(filesToOpen);
    const std::string& path = strModuleFileName.str();
    size_t nSlash = path.rfind('/');
    std::string name = nSlash == std::string::npos ? path : path.substr(nSlash + 1);
    size_t nDot = name.rfind('.');
    if (nDot != std::string::npos && nDot != 0)
        name.erase(nDot);
    app.m_strExeName = name;
    app.m_pszExeName = app.m_strExeName;
    if (!app.m_pszAppName)
        app.m_pszAppName = app.m_pszExeName;
    app.InitInstance();
    return app.ExitInstance();
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp ? g_pApp->m_pMainWnd : nullptr;
}

LPCSTR AfxGetAppName()
{
    return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : "";
}
