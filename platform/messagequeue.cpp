#include "platform/messagequeue.h"

#include <deque>

#include "platform/backend.h"
#include "platform/dropfiles.h"
#include "platform/messages.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"

namespace {

struct PostedMessage {
    HWND hWnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::deque<PostedMessage>& Queue()
{
    static std::deque<PostedMessage> queue;
    return queue;
}

}  // namespace

void CMessageQueue::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Queue().push_back({hWnd, message, wParam, lParam});
    AfxGetBackend().MessagePosted();
}

bool CMessageQueue::IsEmpty()
{
    return Queue().empty();
}

void CMessageQueue::DeliverPosted()
{
    while (!Queue().empty()) {
        const PostedMessage posted = Queue().front();
        Queue().pop_front();
        if (CWindowRecord::IsWindow(posted.hWnd))
            ::SendMessage(posted.hWnd, posted.message, posted.wParam, posted.lParam);
        else if (posted.message == WM_DROPFILES)
            DragFinish(reinterpret_cast<HDROP>(posted.wParam));
    }
}
