#include "app/mergeapp.h"

#include <cstring>

#include "platform/afxmessagebox.h"
#include "core/creplacingfile.h"
#include "layout/settingslocation.h"
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
    const SettingsLocation location = FindSettingsLocation(m_strAppDir);
    m_strSettingsPath = location.strSavePath;

    // The main dialog needs a list and a default inside it. Only a file that
    // the save replaces needs a copy: the system's defaults stay as they are.
    if (!LoadSettings(location.strReadPath))
        LoadDefaultSettings();
    else if (RepairConfigurations() && location.strReadPath == m_strSettingsPath)
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
    const CString strFailure = SaveSettingsFile();
    if (!strFailure.IsEmpty())
        AfxMessageBox("Unable to write the settings file !\n" + strFailure, MB_OK);
    m_aConfigurations.clear();
    return CWinApp::ExitInstance();
}

CString CMergeApp::SaveSettingsFile() const
{
    CString strFailure;
    const char* pszPath = m_strSettingsPath;
    if (m_bKeepSettingsFile) {
        strFailure.Format("'%s' had to be mended, and no copy of it could be kept as '%s.bak'.", pszPath, pszPath);
        return strFailure;
    }
    int nSystemError = MakeSettingsFolder(m_strSettingsPath);
    if (nSystemError == 0 && SaveSettings(m_strSettingsPath, &nSystemError))
        return strFailure;
    strFailure.Format("'%s': %s.", pszPath, std::strerror(nSystemError));
    return strFailure;
}
