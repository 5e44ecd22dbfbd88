#include "platform/dropfiles.h"

#include <algorithm>
#include <cstring>

#include "platform/styles.h"
#include "platform/windowrecord.h"

HDROP AfxCreateDrop(std::vector<CString> files, POINT point)
{
    return new DropFiles{std::move(files), point};
}

void DragAcceptFiles(HWND hWnd, BOOL bAccept)
{
    if (!CWindowRecord::IsWindow(hWnd))
        return;
    const DWORD dwExStyle = hWnd->ExStyle();
    hWnd->SetExStyle(bAccept ? (dwExStyle | WS_EX_ACCEPTFILES) : (dwExStyle & ~WS_EX_ACCEPTFILES));
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    if (hDrop == nullptr)
        return 0;
    if (iFile == 0xFFFFFFFF)
        return static_cast<UINT>(hDrop->files.size());
    if (iFile >= hDrop->files.size())
        return 0;
    const CString& strFile = hDrop->files[iFile];
    const auto nLength = static_cast<UINT>(strFile.GetLength());
    if (lpszFile != nullptr && cch > 0) {
        const UINT nCopied = std::min(nLength, cch - 1);
        std::memcpy(lpszFile, strFile.GetString(), nCopied);
        lpszFile[nCopied] = '\0';
    }
    return nLength;
}

BOOL DragQueryPoint(HDROP hDrop, POINT* lpPoint)
{
    if (hDrop == nullptr || lpPoint == nullptr)
        return FALSE;
    *lpPoint = hDrop->point;
    return lpPoint->x >= 0 && lpPoint->y >= 0;
}

void DragFinish(HDROP hDrop)
{
    delete hDrop;
}
