#include "platform/ccombobox.h"

#include <vector>

#include "platform/winapi.h"

int CComboBox::AddString(LPCSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int nLength = GetLBTextLen(nIndex);
    if (nLength < 0) {
        rString.Empty();
        return CB_ERR;
    }
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1);
    ::SendMessage(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                  reinterpret_cast<LPARAM>(buffer.data()));
    rString = CString(buffer.data(), nLength);
    return nLength;
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_FINDSTRINGEXACT,
                                          static_cast<WPARAM>(nIndexStart),
                                          reinterpret_cast<LPARAM>(lpszFind)));
}
