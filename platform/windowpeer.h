// IWindowPeer: what a backend attaches to one window of the model.
//
// The model (CWindowRecord) is the one source of truth. A peer only mirrors
// it: after every change the model calls Update() with what changed, and the
// peer reads the new state from the record it was created for. A peer never
// changes the model on its own; what a person does goes through CUserInput,
// which updates the model first and then sends the program the message a
// Win32 control would send. See backend.h for the whole seam.
#pragma once

#include "platform/windefs.h"

enum class WindowChange {
    Text,          // Text()
    ToolTip,       // ToolTip()
    Rect,          // Rect(): position or size
    Style,         // Style(): visible, disabled; ExStyle(): takes dropped files
    Font,          // Font()
    Icon,          // Icon(bBig) of a dialog, or the icon of an SS_ICON static
    ItemInserted,  // Items(): an item was inserted at nIndex
    ItemDeleted,   // Items(): the item at nIndex was removed
    ItemsReset,    // Items(): all items were removed
    Selection,     // CurSel() or IsItemSelected(): a combo box's or list box's selection
    Check,         // Check()
    Progress,      // RangeMin(), RangeMax(), Pos()
    Focus,         // FocusChild() of a dialog
    Iconic,        // IsIconic() of a dialog
    SystemMenu,    // SystemMenu() of a dialog
};

class IWindowPeer {
public:
    virtual ~IWindowPeer() = default;
    // nIndex is the item index for ItemInserted and ItemDeleted, -1 otherwise.
    virtual void Update(WindowChange change, int nIndex) = 0;
    // Paints an icon into the window while it handles WM_PAINT (CDC::DrawIcon).
    virtual void DrawIcon(int x, int y, HICON hIcon) = 0;
};
