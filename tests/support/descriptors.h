// The file descriptors this process holds: how many, to find leaks, and
// which one is open on a file, to break it while it is in use.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

inline std::size_t OpenDescriptorCount()
{
    std::size_t nCount = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++nCount;
    return nCount;
}

inline int DescriptorOf(const std::string& path)
{
    const std::filesystem::path target = std::filesystem::canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (std::filesystem::read_symlink(entry.path(), ec) == target)
            return std::stoi(entry.path().filename().string());
    }
    return -1;
}
