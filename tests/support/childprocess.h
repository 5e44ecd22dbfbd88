// Runs a piece of a test in a child process: another process's view of
// shared files, or the user 65534, so that file permissions apply when the
// tests run as root.
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// For good, with real ids as a login gives them; false if that failed.
inline bool BecomeNobody()
{
    return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
}

// True when fn returned true in the child.
inline bool RunInChild(const std::function<bool()>& fn)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(fn() ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
