#include "platform/windowrecord.h"

#include <algorithm>
#include <unordered_set>

#include "platform/backend.h"
#include "platform/cbutton.h"
#include "platform/ccombobox.h"
#include "platform/cedit.h"
#include "platform/cfont.h"
#include "platform/clistbox.h"
#include "platform/cmenu.h"
#include "platform/cprogressctrl.h"
#include "platform/cstatic.h"
#include "platform/ctooltipctrl.h"
#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowprocs.h"
#include "platform/winapi.h"

namespace {

std::unordered_set<const CWindowRecord*>& LiveWindows()
{
    static std::unordered_set<const CWindowRecord*> live;
    return live;
}

std::vector<std::unique_ptr<CWindowRecord>>& TopLevelWindows()
{
    static std::vector<std::unique_ptr<CWindowRecord>> windows;
    return windows;
}

bool HasCaption(const CWindowRecord& w)
{
    return w.Parent() == nullptr && (w.Style() & WS_CAPTION) == WS_CAPTION;
}

}  // namespace

CWindowRecord::CWindowRecord(const WindowCreateParams& params)
    : m_kind(params.kind),
      m_nId(params.nId),
      m_strText(params.strText),
      m_dwStyle(params.dwStyle),
      m_dwExStyle(params.dwExStyle),
      m_rect(params.rect),
      m_pParent(params.hParent),
      m_hOwner(params.hParent ? nullptr : params.hOwner)
{
}

HWND CWindowRecord::Create(const WindowCreateParams& params)
{
    if (params.hParent != nullptr && !IsWindow(params.hParent))
        return nullptr;
    std::unique_ptr<CWindowRecord> record(new CWindowRecord(params));
    HWND hWnd = record.get();
    if (params.hParent)
        params.hParent->m_children.push_back(std::move(record));
    else
        TopLevelWindows().push_back(std::move(record));
    LiveWindows().insert(hWnd);
    hWnd->m_pPeer = AfxGetBackend().CreatePeer(*hWnd);
    return hWnd;
}

void CWindowRecord::Destroy(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return;
    ::SendMessage(hWnd, WM_DESTROY, 0, 0);
    // Owned windows and children go first, so a parent's peer outlives its children's.
    for (bool bFound = true; bFound && IsWindow(hWnd);) {
        bFound = false;
        for (const auto& top : TopLevelWindows()) {
            if (top->m_hOwner == hWnd) {
                Destroy(top.get());
                bFound = true;
                break;
            }
        }
    }
    while (IsWindow(hWnd) && !hWnd->m_children.empty())
        Destroy(hWnd->m_children.front().get());
    if (!IsWindow(hWnd))
        return;
    ::SendMessage(hWnd, WM_NCDESTROY, 0, 0);
    if (IsWindow(hWnd))
        hWnd->Unlink();
}

void CWindowRecord::Unlink()
{
    LiveWindows().erase(this);
    auto& siblings = m_pParent ? m_pParent->m_children : TopLevelWindows();
    if (m_pParent && m_pParent->m_hFocus == this)
        m_pParent->SetFocusChild(nullptr);
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [this](const auto& p) { return p.get() == this; });
    std::unique_ptr<CWindowRecord> self = std::move(*it);
    siblings.erase(it);
    // self is freed here.
}

CWindowRecord::~CWindowRecord()
{
    m_pPeer.reset();
    if (m_pWnd)
        m_pWnd->m_hWnd = nullptr;
    if (m_pPermanentWnd)
        m_pPermanentWnd->m_hWnd = nullptr;
    if (m_hOwnedFont)
        FontObject::Delete(m_hOwnedFont);
}

bool CWindowRecord::IsWindow(HWND hWnd)
{
    return hWnd != nullptr && LiveWindows().count(hWnd) != 0;
}

const char* CWindowRecord::ClassName() const
{
    return KindName(m_kind);
}

const char* CWindowRecord::KindName(WindowKind kind)
{
    switch (kind) {
    case WindowKind::Dialog: return "#32770";
    case WindowKind::Button: return "Button";
    case WindowKind::Static: return "Static";
    case WindowKind::Edit: return "Edit";
    case WindowKind::ComboBox: return "ComboBox";
    case WindowKind::ListBox: return "ListBox";
    case WindowKind::ProgressBar: return "msctls_progress32";
    case WindowKind::ToolTip: return "tooltips_class32";
    }
    return "";
}

bool CWindowRecord::KindFromClassName(const char* pszClassName, WindowKind& kind)
{
    static const WindowKind kKinds[] = {WindowKind::Button,   WindowKind::Static,
                                        WindowKind::Edit,     WindowKind::ComboBox,
                                        WindowKind::ListBox,  WindowKind::ProgressBar};
    for (WindowKind candidate : kKinds) {
        if (pszClassName && CString(pszClassName) == KindName(candidate)) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

WNDPROC CWindowRecord::ClassProc() const
{
    switch (m_kind) {
    case WindowKind::Dialog: return DefDlgProc;
    case WindowKind::Button: return ButtonWindowProc;
    case WindowKind::ComboBox: return ComboBoxWindowProc;
    case WindowKind::ListBox: return ListBoxWindowProc;
    case WindowKind::ProgressBar: return ProgressWindowProc;
    case WindowKind::ToolTip: return ToolTipWindowProc;
    case WindowKind::Static:
    case WindowKind::Edit: return DefWindowProc;
    }
    return DefWindowProc;
}

std::vector<HWND> CWindowRecord::Children() const
{
    std::vector<HWND> children;
    for (const auto& child : m_children)
        children.push_back(child.get());
    return children;
}

HWND CWindowRecord::TopLevel()
{
    HWND hWnd = this;
    while (hWnd->Parent())
        hWnd = hWnd->Parent();
    return hWnd;
}

HWND CWindowRecord::FindChild(int nId) const
{
    for (const auto& child : m_children)
        if (child->m_nId == nId)
            return child.get();
    return nullptr;
}

bool CWindowRecord::IsVisible() const
{
    return (m_dwStyle & WS_VISIBLE) != 0;
}

bool CWindowRecord::IsEnabled() const
{
    return (m_dwStyle & WS_DISABLED) == 0;
}

CRect CWindowRecord::ClientRect() const
{
    if (!HasCaption(*this))
        return CRect(0, 0, m_rect.Width(), m_rect.Height());
    return CRect(0, 0, m_rect.Width() - 2 * kFrame, m_rect.Height() - 2 * kFrame - kCaption);
}

CRect CWindowRecord::ScreenRect() const
{
    CRect rect = m_rect;
    if (m_pParent) {
        CRect parentClient = m_pParent->ClientScreenRect();
        rect.OffsetRect(parentClient.left, parentClient.top);
    }
    return rect;
}

CRect CWindowRecord::ClientScreenRect() const
{
    CRect window = ScreenRect();
    CRect client = ClientRect();
    if (HasCaption(*this))
        client.OffsetRect(window.left + kFrame, window.top + kFrame + kCaption);
    else
        client.OffsetRect(window.left, window.top);
    return client;
}

HFONT CWindowRecord::Font() const
{
    return FontObject::IsLive(m_hFont) ? m_hFont : nullptr;
}

bool CWindowRecord::IsItemSelected(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_selected.size()) && m_selected[nIndex];
}

CMenu* CWindowRecord::SystemMenu()
{
    if ((m_dwStyle & WS_SYSMENU) == 0)
        return nullptr;
    if (!m_pSystemMenu)
        m_pSystemMenu = CMenu::CreateSystemMenu(this);
    return m_pSystemMenu.get();
}

bool CWindowRecord::HasEditField() const
{
    return m_kind == WindowKind::Edit ||
           (m_kind == WindowKind::ComboBox && (m_dwStyle & CBS_TYPEMASK) != CBS_DROPDOWNLIST);
}

void CWindowRecord::SetText(const CString& strText)
{
    const size_t nLineBreak = strText.str().find_first_of("\r\n");
    m_strText = HasEditField() && nLineBreak != std::string::npos ? CString(strText.str().substr(0, nLineBreak))
                                                                  : strText;
    Changed(WindowChange::Text);
}

void CWindowRecord::SetToolTip(const CString& strToolTip)
{
    m_strToolTip = strToolTip;
    Changed(WindowChange::ToolTip);
}

void CWindowRecord::SetStyle(DWORD dwStyle)
{
    m_dwStyle = dwStyle;
    Changed(WindowChange::Style);
}

void CWindowRecord::SetExStyle(DWORD dwExStyle)
{
    m_dwExStyle = dwExStyle;
    Changed(WindowChange::Style);
}

void CWindowRecord::SetRect(const CRect& rect)
{
    m_rect = rect;
    Changed(WindowChange::Rect);
}

void CWindowRecord::SetFont(HFONT hFont)
{
    m_hFont = hFont;
    Changed(WindowChange::Font);
}

void CWindowRecord::SetIcon(bool bBig, HICON hIcon)
{
    (bBig ? m_hIconBig : m_hIconSmall) = hIcon;
    Changed(WindowChange::Icon);
}

int CWindowRecord::AddItem(const CString& strText)
{
    int nIndex = static_cast<int>(m_items.size());
    m_items.push_back(strText);
    m_selected.push_back(false);
    Changed(WindowChange::ItemInserted, nIndex);
    return nIndex;
}

void CWindowRecord::DeleteItem(int nIndex)
{
    m_items.erase(m_items.begin() + nIndex);
    m_selected.erase(m_selected.begin() + nIndex);
    Changed(WindowChange::ItemDeleted, nIndex);
    if (m_nCurSel == nIndex)
        SetCurSel(-1);
    else if (m_nCurSel > nIndex)
        SetCurSel(m_nCurSel - 1);
}

void CWindowRecord::ResetItems()
{
    m_items.clear();
    m_selected.clear();
    m_nCurSel = -1;
    Changed(WindowChange::ItemsReset);
}

void CWindowRecord::SetCurSel(int nIndex)
{
    m_nCurSel = nIndex;
    Changed(WindowChange::Selection);
}

void CWindowRecord::SetItemSelected(int nIndex, bool bSelected)
{
    m_selected[nIndex] = bSelected;
    Changed(WindowChange::Selection, nIndex);
}

void CWindowRecord::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    Changed(WindowChange::Check);
}

void CWindowRecord::SetProgress(int nMin, int nMax, int nPos)
{
    m_nRangeMin = nMin;
    m_nRangeMax = nMax;
    m_nPos = nPos;
    Changed(WindowChange::Progress);
}

void CWindowRecord::SetFocusChild(HWND hFocus)
{
    m_hFocus = hFocus;
    Changed(WindowChange::Focus);
}

void CWindowRecord::SetIconic(bool bIconic)
{
    m_bIconic = bIconic;
    Changed(WindowChange::Iconic);
}

void CWindowRecord::Changed(WindowChange change, int nIndex)
{
    if (m_pPeer)
        m_pPeer->Update(change, nIndex);
}

CWnd* CWindowRecord::PermanentWnd()
{
    if (m_pWnd)
        return m_pWnd;
    if (!m_pPermanentWnd) {
        switch (m_kind) {
        case WindowKind::Button: m_pPermanentWnd = std::make_unique<CButton>(); break;
        case WindowKind::Static: m_pPermanentWnd = std::make_unique<CStatic>(); break;
        case WindowKind::Edit: m_pPermanentWnd = std::make_unique<CEdit>(); break;
        case WindowKind::ComboBox: m_pPermanentWnd = std::make_unique<CComboBox>(); break;
        case WindowKind::ListBox: m_pPermanentWnd = std::make_unique<CListBox>(); break;
        case WindowKind::ProgressBar: m_pPermanentWnd = std::make_unique<CProgressCtrl>(); break;
        case WindowKind::ToolTip: m_pPermanentWnd = std::make_unique<CToolTipCtrl>(); break;
        case WindowKind::Dialog: m_pPermanentWnd = std::make_unique<CWnd>(); break;
        }
        m_pPermanentWnd->m_hWnd = this;
    }
    return m_pPermanentWnd.get();
}
