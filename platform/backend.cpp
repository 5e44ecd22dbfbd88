#include "platform/backend.h"

#include <cstdio>
#include <cstdlib>

namespace {
IBackend* g_pBackend = nullptr;
}

void AfxSetBackend(IBackend* pBackend)
{
    g_pBackend = pBackend;
}

IBackend& AfxGetBackend()
{
    if (g_pBackend == nullptr) {
        // A programming error of the host, not a run-time condition.
        std::fputs("window layer used before a backend was set\n", stderr);
        std::abort();
    }
    return *g_pBackend;
}
