#include "app/mergeapp.h"

#include "platform/afxmessagebox.h"
#include "core/creplacingfile.h"
#include "ui/maindlg.h"
#include "ui/plexoraresources.h"

CMergeApp::CMergeApp()
{
    AfxSetResourceTable(&kPlexoraResources);
}

BOOL CMergeApp::InitInstance()
{
    Enable3dControls();

    // The folder part of the executable's path: everything before the last
    // '/', so an executable at the root gives "" and "/settings.pxr".
    const std::string& path = GetModuleFileName().str();
    size_t nSlash = path.rfind('/');
    m_strAppDir = nSlash == std::string::npos ? std::string() : path.substr(0, nSlash);
    m_strSettingsPath = m_strAppDir + "/settings.pxr";

    // The main dialog needs a list and a default inside it.
    if (!LoadSettings(m_strSettingsPath))
        LoadDefaultSettings();
    else if (RepairConfigurations())
        m_bKeepSettingsFile = !CReplacingFile::Copy(m_strSettingsPath, m_strSettingsPath + ".bak");

    CMainDlg dlg(*this);
    dlg.m_strFilesToOpen = m_strFilesToOpen;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CMergeApp::ExitInstance()
{
    if (m_bKeepSettingsFile || !SaveSettings(m_strSettingsPath))
        AfxMessageBox("Unable to write the settings file !", MB_OK);
    m_aConfigurations.clear();
    return CWinApp::ExitInstance();
}
