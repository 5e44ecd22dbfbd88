// IModalServices: everything modal that the program waits for. One backend
// shows real dialogs to a person; the headless one lets a script answer.
// See backend.h for the whole seam.
#pragma once

#include <vector>

#include "core/cstring.h"
#include "platform/windefs.h"

struct FileFilter {
    CString strDescription;  // "Wave files (*.wav)"
    CString strPattern;      // "*.wav"; several patterns are separated by ';'
};

struct FileDialogRequest {
    bool bOpen = true;             // an open dialog, else a save dialog
    CString strDefaultExtension;   // without "*." or "." ("wav"); empty for none
    CString strFileName;           // initial file name
    CString strInitialDir;         // empty: the platform's default folder
    DWORD dwFlags = 0;             // OFN_ flags, OFN_OVERWRITEPROMPT among them
    std::vector<FileFilter> filters;
    int nFilterIndex = 0;          // 0-based index of the active filter
    HWND hOwner = nullptr;         // the active window, disabled while the dialog runs
};

class IModalServices {
public:
    virtual ~IModalServices() = default;

    // Runs the modal loop of a dialog that has been created, initialised and
    // shown. Returns once EndModalLoop(hDialog) has been called, that is when
    // hDialog->IsDialogEnded() is true. Loops nest: a handler running inside
    // this loop may start another dialog's loop.
    virtual void RunModalLoop(HWND hDialog) = 0;
    // Called by EndDialog; the loop of hDialog returns as soon as the handler
    // that ended it has returned.
    virtual void EndModalLoop(HWND hDialog) = 0;

    // Shows a message box owned by hOwner (the active window, or none) with
    // the buttons of nType & MB_TYPEMASK (MB_OK or MB_YESNO) and returns the
    // button pressed: IDOK, IDYES or IDNO.
    virtual int MessageBox(HWND hOwner, const CString& strText, const CString& strCaption,
                           UINT nType) = 0;

    // Runs an open or save dialog. True with strPath set to the full path
    // chosen, false when the person cancelled.
    virtual bool GetFileName(const FileDialogRequest& request, CString& strPath) = 0;
};
