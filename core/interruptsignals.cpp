#include "core/interruptsignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

volatile sig_atomic_t g_nPendingSignal = 0;
int g_pipe[2] = {-1, -1};

void OnInterrupt(int nSignal, siginfo_t* pInfo, void*)
{
    if (nSignal == SIGXFSZ && pInfo != nullptr && pInfo->si_pid == getpid())
        return;  // our own write past the limit: it fails with EFBIG
    if (g_nPendingSignal != 0)
        return;
    g_nPendingSignal = nSignal;
    const int nSavedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
    errno = nSavedErrno;
}

}  // namespace

void CatchInterruptSignals(std::initializer_list<int> caught)
{
    if (g_pipe[0] < 0 && pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        g_pipe[0] = g_pipe[1] = -1;
    struct sigaction action {};
    action.sa_sigaction = OnInterrupt;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int nSignal : caught)
        sigaction(nSignal, &action, nullptr);
}

int GetPendingInterrupt()
{
    return g_nPendingSignal;
}

int GetInterruptDescriptor()
{
    return g_pipe[0];
}
