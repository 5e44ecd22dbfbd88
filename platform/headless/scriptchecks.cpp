#include "platform/headless/scriptchecks.h"

#include <vector>

#include "platform/cfont.h"
#include "platform/cmenu.h"
#include "platform/headless/windowdump.h"
#include "platform/modalstack.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"

namespace {

CString Number(long n)
{
    return CString(std::to_string(n));
}

CString Numbers(const std::vector<long>& values)
{
    CString str;
    for (size_t i = 0; i < values.size(); ++i)
        str += (i ? " " : "") + Number(values[i]);
    return str;
}

CString Texts(const std::vector<CString>& texts)
{
    CString str;
    for (size_t i = 0; i < texts.size(); ++i)
        str += (i ? " " : "") + CWindowDump::Quote(texts[i]);
    return texts.empty() ? CString("no items") : str;
}

std::vector<long> Selection(HWND hWnd)
{
    std::vector<long> selected;
    if (hWnd->Kind() == WindowKind::ListBox && (hWnd->Style() & LBS_MULTIPLESEL)) {
        for (size_t i = 0; i < hWnd->Items().size(); ++i)
            if (hWnd->IsItemSelected(static_cast<int>(i)))
                selected.push_back(static_cast<long>(i));
    } else if (hWnd->CurSel() >= 0) {
        selected.push_back(hWnd->CurSel());
    }
    if (selected.empty())
        selected.push_back(-1);
    return selected;
}

HWND FirstOfKind(HWND hDialog, WindowKind kind)
{
    for (HWND hChild : hDialog->Children())
        if (hChild->Kind() == kind)
            return hChild;
    return nullptr;
}

CString CheckControl(const CScriptLine& line, HWND hDialog)
{
    const CString& cmd = line.Command();
    HWND hWnd = hDialog->FindChild(line.Int(0));
    if (cmd == "expect-exists") {
        bool bExpected = line.Int(1) != 0;
        if (bExpected == (hWnd != nullptr))
            return CString();
        return hWnd ? "it exists: " + CWindowDump::Describe(hWnd)
                    : "no control " + line.Arg(0) + " in " + CWindowDump::Quote(hDialog->Text());
    }
    if (!hWnd)
        return "no control " + line.Arg(0) + " in " + CWindowDump::Quote(hDialog->Text());

    if (cmd == "expect-text")
        return hWnd->Text() == line.Arg(1) ? CString() : CWindowDump::Quote(hWnd->Text());
    if (cmd == "expect-tooltip")
        return hWnd->ToolTip() == line.Arg(1) ? CString() : CWindowDump::Quote(hWnd->ToolTip());
    if (cmd == "expect-items") {
        std::vector<CString> expected;
        for (int i = 1; i < line.ArgCount(); ++i)
            expected.push_back(line.Arg(i));
        return hWnd->Items() == expected ? CString() : Texts(hWnd->Items());
    }
    if (cmd == "expect-selection") {
        std::vector<long> expected;
        for (int i = 1; i < line.ArgCount(); ++i)
            expected.push_back(line.Int(i));
        std::vector<long> actual = Selection(hWnd);
        return actual == expected ? CString() : Numbers(actual);
    }
    if (cmd == "expect-checked") {
        if (hWnd->Kind() != WindowKind::Button || (hWnd->Style() & BS_TYPEMASK) != BS_AUTOCHECKBOX)
            return CWindowDump::Describe(hWnd) + " (not a check box)";
        return hWnd->Check() == line.Int(1) ? CString() : Number(hWnd->Check());
    }
    if (cmd == "expect-rect") {
        const CRect& r = hWnd->Rect();
        const long edges[] = {r.left, r.top, r.right, r.bottom};
        for (int i = 0; i < 4; ++i)
            if (!line.IsStar(i + 1) && line.Int(i + 1) != edges[i])
                return Numbers({r.left, r.top, r.right, r.bottom});
        return CString();
    }
    if (cmd == "expect-font-height") {
        HFONT hFont = hWnd->Font();
        if (!hFont)
            return "no font";
        return hFont->logFont.lfHeight == line.Int(1) ? CString() : Number(hFont->logFont.lfHeight);
    }
    return "unknown check";
}

}  // namespace

bool CScriptChecks::IsCheck(const CScriptLine& line)
{
    return line.Command().str().starts_with("expect-") && line.Command() != "expect-caption";
}

CString CScriptChecks::Check(const CScriptLine& line)
{
    HWND hDialog = CModalStack::Top();
    if (!hDialog)
        return "no active window";
    const CString& cmd = line.Command();
    if (cmd == "expect-active")
        return hDialog->Text() == line.Arg(0) ? CString() : CWindowDump::Quote(hDialog->Text());
    if (cmd == "expect-window-size") {
        const CRect& r = hDialog->Rect();
        return r.Width() == line.Int(0) && r.Height() == line.Int(1)
                   ? CString()
                   : Numbers({r.Width(), r.Height()});
    }
    if (cmd == "expect-progress") {
        HWND hBar = FirstOfKind(hDialog, WindowKind::ProgressBar);
        if (!hBar)
            return "no progress bar in " + CWindowDump::Quote(hDialog->Text());
        std::vector<long> actual = {hBar->RangeMin(), hBar->RangeMax(), hBar->Pos()};
        std::vector<long> expected = {line.Int(0), line.Int(1), line.Int(2)};
        return actual == expected ? CString() : Numbers(actual);
    }
    if (cmd == "expect-sysmenu-tail") {
        CMenu* pMenu = hDialog->SystemMenu();
        if (!pMenu)
            return "no system menu";
        std::vector<CString> texts;
        for (const MenuItem& item : pMenu->Items())
            texts.push_back((item.nFlags & MF_SEPARATOR) ? CString("-") : item.strText);
        size_t nWanted = static_cast<size_t>(line.ArgCount());
        bool bHolds = texts.size() >= nWanted;
        for (size_t i = 0; bHolds && i < nWanted; ++i)
            bHolds = texts[texts.size() - nWanted + i] == line.Arg(static_cast<int>(i));
        return bHolds ? CString() : Texts(texts);
    }
    return CheckControl(line, hDialog);
}
