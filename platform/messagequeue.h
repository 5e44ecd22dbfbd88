// CMessageQueue: the messages posted to windows (PostMessage). They wait
// until the program is idle in a modal loop, no handler of it running, and
// are then sent in the order they were posted. The backends deliver them
// from their modal loops (backend.h).
#pragma once

#include "platform/windefs.h"

class CMessageQueue {
public:
    static void Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool IsEmpty();
    // Sends the waiting messages, those posted meanwhile included; a message
    // whose window is gone is dropped (a drop handle it carried is freed).
    static void DeliverPosted();
};
