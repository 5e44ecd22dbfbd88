// CFileDialog: an open or save dialog. The filter list is the class
// library's: description and pattern pairs, each part ended by '|'
// ("Wave files (*.wav)|*.wav|All files (*.*)|*.*|"). The dialog itself is the
// backend's (IModalServices::GetFileName); this class prepares the request
// and keeps the answer.
#pragma once

#include <vector>

#include "platform/cwnd.h"
#include "platform/modalservices.h"

struct OPENFILENAME {
    DWORD Flags;
    DWORD nFilterIndex;  // 1-based; 0 also means the first filter
    LPCSTR lpstrInitialDir;
};

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;

    // IDOK when a file was chosen, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    CString GetPathName() const { return m_strPathName; }

    // The request DoModal hands to the backend, as the members stand now.
    FileDialogRequest BuildRequest() const;

    // Pairs up to the first empty description; a description without a
    // pattern is dropped.
    static std::vector<FileFilter> ParseFilter(LPCSTR lpszFilter);
    // "*.wav", ".wav" and "wav" all give "wav".
    static CString NormalizeExtension(LPCSTR lpszDefExt);

    OPENFILENAME m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    CString m_strFileName;
    std::vector<FileFilter> m_filters;
    CWnd* m_pParentWnd;
    CString m_strPathName;
};
