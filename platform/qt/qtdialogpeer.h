// CQtDialogPeer: a dialog as a top-level QDialog of fixed client size, with
// its caption, icon and close box. The window manager draws the frame and
// places the window (centred on its owner, or on the screen). The dialog
// manager's keys, Escape and Enter, the close box, and the system menu (a
// context menu on the dialog and Alt+Space) reach the program as Win32
// sends them; so does a drop of local files, when the dialog takes them. A
// disabled dialog keeps its look, as in Win32.
#pragma once

#include <QPoint>

#include <vector>

#include "core/cstring.h"

#include "platform/qt/qtpeer.h"

class CQtDialogPeer : public CQtPeer {
public:
    CQtDialogPeer(CQtBackend& backend, CWindowRecord& window);
    ~CQtDialogPeer() override;

    // What the window reports: a key of the dialog manager (VK_ESCAPE,
    // VK_RETURN), the close box, a request for the system menu at a point
    // on the screen.
    void OnKey(UINT nVirtualKey);
    void OnClose();
    // Local files dropped at a point of the client area.
    void OnDrop(std::vector<CString> files, const QPoint& point);
    void ShowSystemMenu(const QPoint& globalPos);

protected:
    void ApplyText() override;
    void ApplyGeometry() override;
    void ApplyStyle() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    void ApplyIcon();
    void ApplyFocus();
};
