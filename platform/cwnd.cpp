#include "platform/cwnd.h"

#include <vector>

#include "platform/cdataexchange.h"
#include "platform/cdc.h"
#include "platform/cfont.h"
#include "platform/dropfiles.h"
#include "platform/messagequeue.h"
#include "platform/cmenu.h"
#include "platform/modalstack.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"

CWnd::~CWnd()
{
    if (m_hWnd && m_hWnd->Wnd() == this)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return CWindowRecord::IsWindow(hWnd) ? hWnd->PermanentWnd() : nullptr;
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    WindowKind kind;
    if (m_hWnd || !pParentWnd || !pParentWnd->m_hWnd || !CWindowRecord::KindFromClassName(lpszClassName, kind))
        return FALSE;
    WindowCreateParams params;
    params.kind = kind;
    params.strText = lpszWindowName;
    params.dwStyle = dwStyle;
    params.rect = rect;
    params.hParent = pParentWnd->m_hWnd;
    // 0xFFFF is the 16-bit spelling of IDC_STATIC.
    params.nId = nID == 0xFFFF ? IDC_STATIC : static_cast<int>(nID);
    return CreateWindowRecord(params);
}

BOOL CWnd::CreateWindowRecord(const WindowCreateParams& params)
{
    HWND hWnd = CWindowRecord::Create(params);
    if (!hWnd)
        return FALSE;
    m_hWnd = hWnd;
    hWnd->AttachWnd(this);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !CWindowRecord::IsWindow(hWnd) || hWnd->Wnd())
        return FALSE;
    m_hWnd = hWnd;
    hWnd->AttachWnd(this);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->m_hWnd)
        return FALSE;
    return SubclassWindow(pParent->m_hWnd->FindChild(static_cast<int>(nID)));
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return m_hWnd ? FromHandle(m_hWnd->FindChild(nID)) : nullptr;
}

void CWnd::SetWindowText(LPCSTR lpszString)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpszString ? lpszString : ""));
}

int CWnd::GetWindowText(CString& rString) const
{
    int nLength = GetWindowTextLength();
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    int nCopied = static_cast<int>(::SendMessage(m_hWnd, WM_GETTEXT, buffer.size(),
                                                 reinterpret_cast<LPARAM>(buffer.data())));
    rString = CString(buffer.data(), nCopied);
    return nCopied;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL /*bRepaint*/)
{
    if (m_hWnd)
        m_hWnd->SetRect(CRect(x, y, x + nWidth, y + nHeight));
}

void CWnd::MoveWindow(LPRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->Width(), lpRect->Height(), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* /*pWndInsertAfter*/, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!m_hWnd)
        return FALSE;
    CRect rect = m_hWnd->Rect();
    if (nFlags & SWP_NOMOVE) {
        x = rect.left;
        y = rect.top;
    }
    if (nFlags & SWP_NOSIZE) {
        cx = rect.Width();
        cy = rect.Height();
    }
    m_hWnd->SetRect(CRect(x, y, x + cx, y + cy));
    return TRUE;
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    *lpRect = m_hWnd ? m_hWnd->ScreenRect() : CRect();
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    *lpRect = m_hWnd ? m_hWnd->ClientRect() : CRect();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    if (!m_hWnd)
        return nullptr;
    CMenu* pMenu = m_hWnd->SystemMenu();
    if (bRevert) {
        if (pMenu)
            pMenu->RevertToSystemMenu();
        return nullptr;
    }
    return pMenu;
}

BOOL CWnd::IsIconic() const
{
    return m_hWnd && m_hWnd->IsIconic();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_hWnd)
        return FALSE;
    BOOL bWasDisabled = !m_hWnd->IsEnabled();
    DWORD dwStyle = m_hWnd->Style();
    DWORD dwNew = bEnable ? (dwStyle & ~WS_DISABLED) : (dwStyle | WS_DISABLED);
    if (dwNew != dwStyle)
        m_hWnd->SetStyle(dwNew);
    return bWasDisabled;
}

CWnd* CWnd::SetFocus()
{
    CWnd* pPrevious = GetFocus();
    HWND hTop = m_hWnd ? m_hWnd->TopLevel() : nullptr;
    if (hTop && hTop != m_hWnd && hTop->FocusChild() != m_hWnd)
        hTop->SetFocusChild(m_hWnd);
    return pPrevious;
}

CWnd* CWnd::GetFocus()
{
    HWND hActive = CModalStack::Top();
    return hActive ? FromHandle(hActive->FocusChild()) : nullptr;
}

CDC* CWnd::GetDC()
{
    return m_hWnd ? new CDC(m_hWnd) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    delete pDC;
    return pDC ? 1 : 0;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.HasFailed() ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/)
{
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage; ++pEntry) {
            if (pEntry->nMessage == message) {
                *pResult = pEntry->pfn(this, wParam, lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    WORD nID = LOWORD(wParam);
    // A command from a menu or the keyboard has no control: its code counts as 0.
    WORD nCode = lParam == 0 ? 0 : HIWORD(wParam);
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nMessage; ++pEntry) {
            if (pEntry->nMessage == WM_COMMAND && pEntry->nCode == nCode &&
                nID >= LOWORD(pEntry->nID) && nID <= LOWORD(pEntry->nLastID)) {
                pEntry->pfn(this, wParam, lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd ? m_hWnd->ClassProc()(m_hWnd, message, wParam, lParam) : 0;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

void CWnd::OnSysCommand(UINT /*nID*/, LPARAM /*lParam*/)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return FALSE;
    CMessageQueue::Post(m_hWnd, message, wParam, lParam);
    return TRUE;
}

void CWnd::OnDropFiles(HDROP)
{
    Default();
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ::DragAcceptFiles(m_hWnd, bAccept);
}

LRESULT AfxCallWndProc(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd::CurrentMessage saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg = {nMsg, wParam, lParam};
    LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    pWnd->m_currentMsg = saved;
    return lResult;
}
