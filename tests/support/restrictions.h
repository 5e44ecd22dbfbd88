// Restrictions a fault test puts on its own process for one step: a soft
// resource limit, or acting as the user nobody when the tests run as root
// (root passes every permission check). A RestrictionScope undoes them all.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

inline void SetSoftLimit(int nResource, rlim_t nLimit)
{
    rlimit limit{};
    getrlimit(nResource, &limit);
    limit.rlim_cur = nLimit;
    setrlimit(nResource, &limit);
}

inline bool ActAsNobody()
{
    return geteuid() != 0 || (setegid(65534) == 0 && seteuid(65534) == 0);
}

// Meanwhile SIGXFSZ is ignored, so that a write past the file-size limit
// fails instead of ending the process.
class RestrictionScope {
public:
    RestrictionScope()
    {
        getrlimit(RLIMIT_FSIZE, &m_fileSize);
        getrlimit(RLIMIT_AS, &m_addressSpace);
        m_onFileSize = signal(SIGXFSZ, SIG_IGN);
    }
    ~RestrictionScope()
    {
        if (seteuid(getuid()) != 0 || setegid(getgid()) != 0)
            _exit(3);  // never run on as somebody else
        setrlimit(RLIMIT_FSIZE, &m_fileSize);
        setrlimit(RLIMIT_AS, &m_addressSpace);
        signal(SIGXFSZ, m_onFileSize);
    }
    RestrictionScope(const RestrictionScope&) = delete;
    RestrictionScope& operator=(const RestrictionScope&) = delete;

private:
    rlimit m_fileSize{};
    rlimit m_addressSpace{};
    void (*m_onFileSize)(int) = SIG_DFL;
};
