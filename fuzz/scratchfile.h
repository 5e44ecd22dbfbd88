// A file in a private folder that each input rewrites in place. It stays
// open, so that an input costs a truncate and a write, where a fresh open
// and close cost a fuzzer a third of its runs.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "fuzz/fuzzcheck.h"
#include "tests/support/tempdir.h"

class ScratchFile {
public:
    ScratchFile(const TempDir& dir, const std::string& name) : m_path(dir / name)
    {
        m_fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        FuzzCheck(m_fd >= 0, "a scratch file opens");
    }
    ~ScratchFile() { close(m_fd); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }

    void Write(std::string_view bytes) const
    {
        const auto nSize = static_cast<ssize_t>(bytes.size());
        FuzzCheck(ftruncate(m_fd, nSize) == 0 && pwrite(m_fd, bytes.data(), bytes.size(), 0) == nSize,
                  "an input is written whole");
    }

private:
    std::string m_path;
    int m_fd = -1;
};
