#include "platform/modalstack.h"

#include <algorithm>

namespace {

std::vector<HWND>& Stack()
{
    static std::vector<HWND> stack;
    return stack;
}

}  // namespace

void CModalStack::Push(HWND hDialog)
{
    Stack().push_back(hDialog);
}

void CModalStack::Pop(HWND hDialog)
{
    auto& stack = Stack();
    stack.erase(std::remove(stack.begin(), stack.end(), hDialog), stack.end());
}

HWND CModalStack::Top()
{
    return Stack().empty() ? nullptr : Stack().back();
}

const std::vector<HWND>& CModalStack::Dialogs()
{
    return Stack();
}
