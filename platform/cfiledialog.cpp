#include "platform/cfiledialog.h"

#include "platform/backend.h"
#include "platform/modalstack.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn{dwFlags, 0, nullptr},
      m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(NormalizeExtension(lpszDefExt)),
      m_strFileName(lpszFileName),
      m_filters(ParseFilter(lpszFilter)),
      m_pParentWnd(pParentWnd)
{
}

FileDialogRequest CFileDialog::BuildRequest() const
{
    FileDialogRequest request;
    request.bOpen = m_bOpenFileDialog != FALSE;
    request.strDefaultExtension = m_strDefExt;
    request.strFileName = m_strFileName;
    request.strInitialDir = m_ofn.lpstrInitialDir;
    request.dwFlags = m_ofn.Flags;
    request.filters = m_filters;
    int nIndex = m_ofn.nFilterIndex == 0 ? 0 : static_cast<int>(m_ofn.nFilterIndex) - 1;
    request.nFilterIndex = nIndex < static_cast<int>(m_filters.size()) ? nIndex : 0;
    request.hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : CModalStack::Top();
    return request;
}

INT_PTR CFileDialog::DoModal()
{
    CString strPath;
    if (!AfxGetBackend().ModalServices().GetFileName(BuildRequest(), strPath))
        return IDCANCEL;
    m_strPathName = strPath;
    return IDOK;
}

std::vector<FileFilter> CFileDialog::ParseFilter(LPCSTR lpszFilter)
{
    std::vector<FileFilter> filters;
    std::string_view rest(lpszFilter ? lpszFilter : "");
    auto next = [&rest]() {
        size_t nBar = rest.find('|');
        std::string_view part = rest.substr(0, nBar);
        rest = nBar == std::string_view::npos ? std::string_view() : rest.substr(nBar + 1);
        return part;
    };
    while (!rest.empty()) {
        std::string_view description = next();
        if (description.empty() || rest.empty())
            break;
        std::string_view pattern = next();
        if (pattern.empty())
            break;
        filters.push_back({CString(description), CString(pattern)});
    }
    return filters;
}

CString CFileDialog::NormalizeExtension(LPCSTR lpszDefExt)
{
    std::string_view ext(lpszDefExt ? lpszDefExt : "");
    if (ext.starts_with('*'))
        ext.remove_prefix(1);
    if (ext.starts_with('.'))
        ext.remove_prefix(1);
    return CString(ext);
}
