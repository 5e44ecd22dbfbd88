#include "platform/headless/windowdump.h"

#include "platform/cfont.h"
#include "platform/cmenu.h"
#include "platform/resources.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"

namespace {

CString Number(long n)
{
    return CString(std::to_string(n));
}

CString ItemList(HWND hWnd)
{
    CString str;
    for (size_t i = 0; i < hWnd->Items().size(); ++i)
        str += (i ? " " : "") + CWindowDump::Quote(hWnd->Items()[i]);
    return str;
}

}  // namespace

CString CWindowDump::Quote(const CString& strText)
{
    CString str = "\"";
    for (int i = 0; i < strText.GetLength(); ++i) {
        char c = strText.GetAt(i);
        if (c == '\n')
            str += "\\n";
        else if (c == '"' || c == '\\')
            str += CString("\\") + CString(std::string(1, c));
        else
            str += c;
    }
    return str + "\"";
}

CString CWindowDump::Describe(HWND hWnd)
{
    const CRect& r = hWnd->Rect();
    CString str = Number(hWnd->Id()) + " " + hWnd->ClassName() + " " + Quote(hWnd->Text()) + " " +
                  Number(r.left) + " " + Number(r.top) + " " + Number(r.right) + " " + Number(r.bottom);
    if (!hWnd->IsVisible())
        str += " hidden";
    if (!hWnd->IsEnabled())
        str += " disabled";
    if (hWnd->Parent() && hWnd->Parent()->FocusChild() == hWnd)
        str += " focus";
    if (hWnd->Kind() == WindowKind::Button && (hWnd->Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        str += " default";
    if (hWnd->Kind() == WindowKind::Button && (hWnd->Style() & BS_TYPEMASK) == BS_AUTOCHECKBOX)
        str += hWnd->Check() ? " checked" : " unchecked";
    if (hWnd->Kind() == WindowKind::ComboBox || hWnd->Kind() == WindowKind::ListBox) {
        str += " items [" + ItemList(hWnd) + "] selection";
        bool bAny = false;
        for (size_t i = 0; i < hWnd->Items().size(); ++i) {
            if (hWnd->IsItemSelected(static_cast<int>(i))) {
                str += " " + Number(static_cast<long>(i));
                bAny = true;
            }
        }
        if (!bAny)
            str += " " + Number(hWnd->CurSel());
    }
    if (hWnd->Kind() == WindowKind::ProgressBar)
        str += " range " + Number(hWnd->RangeMin()) + " " + Number(hWnd->RangeMax()) + " pos " +
               Number(hWnd->Pos());
    if (hWnd->Kind() == WindowKind::Static && hWnd->Icon(true))
        str += " icon " + Number(hWnd->Icon(true)->nId);
    if (HFONT hFont = hWnd->Font())
        str += " font " + Quote(hFont->logFont.lfFaceName) + " " + Number(hFont->logFont.lfHeight);
    return str;
}

CString CWindowDump::Dump(HWND hWnd)
{
    CRect outer = hWnd->Rect();
    CRect client = hWnd->ClientRect();
    CString str = CString("dialog ") + Quote(hWnd->Text()) + " outer " + Number(outer.Width()) + " " +
                  Number(outer.Height()) + " client " + Number(client.Width()) + " " +
                  Number(client.Height());
    if (hWnd->IsIconic())
        str += " iconic";
    if (HFONT hFont = hWnd->Font())
        str += " font " + Quote(hFont->logFont.lfFaceName) + " " + Number(hFont->logFont.lfHeight);
    str += "\n";
    for (HWND hChild : hWnd->Children())
        str += "  " + Describe(hChild) + "\n";
    if (CMenu* pMenu = hWnd->SystemMenu()) {
        str += "  system menu:";
        for (const MenuItem& item : pMenu->Items())
            str += (item.nFlags & MF_SEPARATOR) ? CString(" -") : " " + Number(item.nID) + " " + Quote(item.strText);
        str += "\n";
    }
    return str;
}
