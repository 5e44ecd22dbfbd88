// CWnd: the C++ object of a window. It holds the window's handle (m_hWnd,
// a CWindowRecord) and receives the window's messages: SendMessage reaches
// WindowProc, which offers the message to the message maps (OnWndMsg, with
// WM_COMMAND going through OnCommand by notification code and control id)
// and passes what no map handles to DefWindowProc, the built-in behaviour of
// the window's class.
#pragma once

#include "platform/crect.h"
#include "core/cstring.h"
#include "platform/messagemap.h"
#include "platform/windefs.h"

class CDataExchange;
class CFont;
struct WindowCreateParams;

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // A window still attached is destroyed with its object.
    virtual ~CWnd();

    // The object attached to hWnd, or a stand-in object of the window's
    // built-in class that lives as long as the window; null for no window.
    static CWnd* FromHandle(HWND hWnd);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Creates a child window of a built-in class ("Button", "Static", "Edit",
    // "ComboBox", "ListBox", "msctls_progress32") at rect in the parent's
    // client pixels, attached to this object.
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();
    // Attaches this object to an existing window, so that its messages reach
    // this object's WindowProc (DDX_Control does this).
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends the message later, once the program is idle (messagequeue.h).
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* GetDlgItem(int nID) const;

    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPRECT lpRect, BOOL bRepaint = TRUE);
    // Honours SWP_NOMOVE and SWP_NOSIZE; the z-order is not modelled.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;  // on the screen
    void GetClientRect(LPRECT lpRect) const;  // origin 0, 0

    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CMenu* GetSystemMenu(BOOL bRevert) const;
    // Lets the window take files dropped on it (WM_DROPFILES), or no longer.
    void DragAcceptFiles(BOOL bAccept = TRUE);
    BOOL IsIconic() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    CWnd* SetFocus();
    static CWnd* GetFocus();

    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    HWND m_hWnd = nullptr;

protected:
    friend LRESULT AfxCallWndProc(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Creates the window params describes, attached to this object.
    BOOL CreateWindowRecord(const WindowCreateParams& params);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled.
    LRESULT Default();
    virtual void DoDataExchange(CDataExchange* pDX);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The defaults behind ON_WM_SYSCOMMAND, ON_WM_PAINT, ON_WM_QUERYDRAGICON
    // and ON_WM_DROPFILES.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDropFiles(HDROP hDropInfo);

private:
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_currentMsg;
};

// Dispatches a message to a window's object, remembering it for Default().
LRESULT AfxCallWndProc(CWnd* pWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
