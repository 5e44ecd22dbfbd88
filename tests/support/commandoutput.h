// What a shell command prints: for the tools of other programs a test runs
// beside ours, and whether they are installed.
#pragma once

#include <cstdio>
#include <string>

inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}
