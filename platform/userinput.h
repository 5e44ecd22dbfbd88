// CUserInput: what a person does to the windows. Each action checks that a
// person could do it (the control is of the right kind, visible and enabled
// in a window that takes input), updates the model first and then sends the
// program the message a Win32 control or the dialog manager would send.
// Each returns an empty string, or says why a person could not do it.
//
// Both backends use these: the Qt backend from its widgets' signals, the
// headless backend from a script.
#pragma once

#include <vector>

#include "core/cstring.h"
#include "platform/dropfiles.h"
#include "platform/windefs.h"

class CUserInput {
public:
    // A push button (BN_CLICKED to the parent), or an automatic check box
    // (toggled, then BN_CLICKED). The control takes the focus.
    static CString Click(HWND hControl);
    // Sets a check box to nCheck; a click when that changes its state.
    static CString Check(HWND hControl, int nCheck);
    // Picks item nIndex of a combo box: selection and text, then CBN_SELCHANGE.
    static CString Select(HWND hControl, int nIndex);
    // Toggles item nIndex of a multiple-selection list box, then LBN_SELCHANGE
    // when the list box has LBS_NOTIFY.
    static CString Toggle(HWND hControl, int nIndex);
    // Replaces the text of an edit control (then EN_CHANGE) or of a combo
    // box's edit field (the list loses its selection, then CBN_EDITCHANGE),
    // up to the first line break, as a pasted text is.
    static CString Type(HWND hControl, const CString& strText);
    // Moves the keyboard focus to a control (Tab, a click into it).
    static CString Focus(HWND hControl);
    // VK_RETURN: the focused push button, else the default button
    // (DM_GETDEFID), else IDOK, as WM_COMMAND. VK_ESCAPE: IDCANCEL.
    static CString Key(HWND hDialog, UINT nVirtualKey);
    // The close box: WM_SYSCOMMAND with SC_CLOSE.
    static CString Close(HWND hDialog);
    // A system-menu command: WM_SYSCOMMAND with nID.
    static CString SysCommand(HWND hDialog, UINT nID);
    // Files dropped at point (in hWnd's client pixels): WM_DROPFILES to hWnd
    // or, when it takes no files, its nearest ancestor that does, with the
    // point in that window's client pixels.
    static CString DropFiles(HWND hWnd, const std::vector<CString>& files, POINT point);
};
