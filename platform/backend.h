// The seam between the window layer and what shows it.
//
// The window layer (CWnd, CDialog, the controls) keeps every window as a
// plain object in a tree (CWindowRecord: class, id, text, style, rectangle,
// items, selection, check state, range and position) and dispatches messages
// through WindowProc and message maps with no toolkit at all. A backend adds
// three things, and only these:
//
//  1. Peers. CreatePeer() is called once for every window right after its
//     record is filled and linked into the tree (a dialog before its
//     controls, so a child's parent already has its peer), and before any
//     message reaches it. The peer is destroyed just before its record,
//     children before parents. After each change of the record the peer gets
//     IWindowPeer::Update() (windowpeer.h). A backend without peers returns
//     nullptr.
//  2. Modal services (modalservices.h): the modal loop of a dialog, message
//     boxes and open/save dialogs, all nested in the one thread.
//  3. The logical resolution of the screen, which scales dialog units and
//     point sizes (GetDeviceCaps(LOGPIXELSY)).
//  4. Posted messages (messagequeue.h): the backend delivers them from its
//     modal loops between the program's handlers; MessagePosted() tells it
//     that one waits.
//
// What a person does comes back through CUserInput (userinput.h): a click,
// a combo box pick, a list box toggle, typing, Escape, Enter, the close box
// or a system-menu command. It updates the model first and then sends the
// program the same message a Win32 control would send.
//
// Geometry is the layer's: a dialog's outer rectangle is its client rectangle
// plus a frame of 3 pixels on each side and a caption of 19 pixels; children
// are placed in their parent's client pixels. A backend sets client sizes
// from CWindowRecord::ClientRect() and lets its window manager draw frames.
//
// The headless backend (headless/) has no peers and answers the modal
// services from a script; the Qt backend (qt/) shows real windows.
#pragma once

#include <memory>

#include "platform/modalservices.h"
#include "platform/windowpeer.h"

class IBackend {
public:
    virtual ~IBackend() = default;
    virtual std::unique_ptr<IWindowPeer> CreatePeer(CWindowRecord& window) = 0;
    virtual IModalServices& ModalServices() = 0;
    // Logical pixels per inch, the same both ways (96 at 100 %).
    virtual int LogicalDpi() const = 0;
    // A message was posted; a backend that waits for events wakes up to
    // deliver it.
    virtual void MessagePosted() {}
};

// The backend in use; the program's main() sets it before anything else runs.
void AfxSetBackend(IBackend* pBackend);
IBackend& AfxGetBackend();
