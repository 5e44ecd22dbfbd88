// CWindowRecord: one window of the model, the one source of truth that the
// program's messages change and that a backend's peer mirrors (backend.h).
// An HWND points at one. Records form the window tree: a parent owns its
// children in creation order (which is also the tab order); top-level
// windows (dialogs) are owned by the layer and may have an owner window.
#pragma once

#include <memory>
#include <vector>

#include "platform/crect.h"
#include "core/cstring.h"
#include "platform/windefs.h"
#include "platform/windowpeer.h"

class CWnd;

enum class WindowKind { Dialog, Button, Static, Edit, ComboBox, ListBox, ProgressBar, ToolTip };

struct WindowCreateParams {
    WindowKind kind = WindowKind::Static;
    CString strText;
    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    CRect rect;           // in the parent's client pixels, or on the screen for a top-level window
    HWND hParent = nullptr;
    HWND hOwner = nullptr;  // top-level windows only
    int nId = 0;
};

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

class CWindowRecord {
public:
    // The caption and frame that every captioned top-level window adds to
    // its client area: outer size = client size + 6 x 25.
    static constexpr int kFrame = 3;
    static constexpr int kCaption = 19;

    // Creates, links and gives the record its peer. No message is sent.
    static HWND Create(const WindowCreateParams& params);
    // The system's part of destroying: WM_DESTROY, owned windows and children,
    // WM_NCDESTROY, the C++ objects detached, the peer and the record freed.
    static void Destroy(HWND hWnd);
    static bool IsWindow(HWND hWnd);
    // The kind of a built-in class name ("Button", "ComboBox", ...).
    static bool KindFromClassName(const char* pszClassName, WindowKind& kind);

    CWindowRecord(const CWindowRecord&) = delete;
    CWindowRecord& operator=(const CWindowRecord&) = delete;
    ~CWindowRecord();

    WindowKind Kind() const { return m_kind; }
    const char* ClassName() const;
    WNDPROC ClassProc() const;
    int Id() const { return m_nId; }
    HWND Parent() const { return m_pParent; }
    HWND Owner() const { return m_hOwner; }
    // The dialog at the root of this window's tree (itself when it has no
    // parent).
    HWND TopLevel();
    std::vector<HWND> Children() const;
    HWND FindChild(int nId) const;

    const CString& Text() const { return m_strText; }
    // What a tooltip control shows for this window, and tells a screen
    // reader about it; empty for none.
    const CString& ToolTip() const { return m_strToolTip; }
    // An edit control, or a combo box with an edit field (all but a
    // drop-down list): one line of text that a person can type into.
    bool HasEditField() const;
    DWORD Style() const { return m_dwStyle; }
    DWORD ExStyle() const { return m_dwExStyle; }
    bool IsVisible() const;
    bool IsEnabled() const;
    // The window rectangle in the parent's client pixels (on the screen for
    // a top-level window), the client rectangle (origin 0, 0), and the window
    // and client rectangles on the screen.
    const CRect& Rect() const { return m_rect; }
    CRect ClientRect() const;
    CRect ScreenRect() const;
    CRect ClientScreenRect() const;

    HFONT Font() const;  // null when none was set or it has been deleted
    HICON Icon(bool bBig) const { return bBig ? m_hIconBig : m_hIconSmall; }

    // Combo boxes and list boxes.
    const std::vector<CString>& Items() const { return m_items; }
    int CurSel() const { return m_nCurSel; }
    bool IsItemSelected(int nIndex) const;
    // Check boxes.
    int Check() const { return m_nCheck; }
    // Progress bars.
    int RangeMin() const { return m_nRangeMin; }
    int RangeMax() const { return m_nRangeMax; }
    int Pos() const { return m_nPos; }
    // Dialogs.
    HWND FocusChild() const { return m_hFocus; }
    bool IsIconic() const { return m_bIconic; }
    CMenu* SystemMenu();  // null for a window without WS_SYSMENU
    bool IsDialogEnded() const { return m_bDialogEnded; }

    // An edit field keeps the text up to its first line break, however the
    // text came (typed, pasted, set by the program), as one-line edit
    // controls do.
    void SetText(const CString& strText);
    void SetToolTip(const CString& strToolTip);
    void SetStyle(DWORD dwStyle);
    void SetExStyle(DWORD dwExStyle);
    void SetRect(const CRect& rect);
    void SetFont(HFONT hFont);
    void SetIcon(bool bBig, HICON hIcon);
    // A list's items: appended at its end, or deleted with the selection
    // kept on the item it was on (none when that item goes).
    int AddItem(const CString& strText);
    void DeleteItem(int nIndex);
    void ResetItems();
    void SetCurSel(int nIndex);
    void SetItemSelected(int nIndex, bool bSelected);
    void SetCheck(int nCheck);
    void SetProgress(int nMin, int nMax, int nPos);
    void SetFocusChild(HWND hFocus);
    void SetIconic(bool bIconic);
    void SetDialogEnded(bool bEnded) { m_bDialogEnded = bEnded; }
    // A font that the window deletes when it is destroyed (a dialog's
    // template font).
    void AdoptFont(HFONT hFont) { m_hOwnedFont = hFont; }
    // Tells the peer about a change made elsewhere (the system menu).
    void Changed(WindowChange change, int nIndex = -1);

    // The C++ object that receives this window's messages, if any, and the
    // stand-in object the layer hands out for a window that has none.
    CWnd* Wnd() const { return m_pWnd; }
    void AttachWnd(CWnd* pWnd) { m_pWnd = pWnd; }
    CWnd* PermanentWnd();

    IWindowPeer* Peer() const { return m_pPeer.get(); }

private:
    explicit CWindowRecord(const WindowCreateParams& params);
    static const char* KindName(WindowKind kind);
    void Unlink();

    WindowKind m_kind;
    int m_nId;
    CString m_strText;
    CString m_strToolTip;
    DWORD m_dwStyle;
    DWORD m_dwExStyle;
    CRect m_rect;
    HWND m_pParent;
    HWND m_hOwner;
    std::vector<std::unique_ptr<CWindowRecord>> m_children;

    HFONT m_hFont = nullptr;
    HFONT m_hOwnedFont = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    std::vector<CString> m_items;
    std::vector<bool> m_selected;
    int m_nCurSel = -1;
    int m_nCheck = 0;
    int m_nRangeMin = 0;
    int m_nRangeMax = 100;
    int m_nPos = 0;
    HWND m_hFocus = nullptr;
    bool m_bIconic = false;
    bool m_bDialogEnded = false;
    std::unique_ptr<CMenu> m_pSystemMenu;

    CWnd* m_pWnd = nullptr;
    std::unique_ptr<CWnd> m_pPermanentWnd;
    std::unique_ptr<IWindowPeer> m_pPeer;
};
