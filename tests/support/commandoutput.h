// What a shell command prints: for the tools of other programs a test runs
// beside ours, whether they are installed, and the scenario runner's report.
#pragma once

#include <cstdio>
#include <string>

// Runs command, its standard output into rOutput; its status as pclose
// gives it, -1 when it could not be started.
inline int RunCommand(const std::string& command, std::string& rOutput)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        rOutput.append(buffer, n);
    return pclose(pipe);
}

inline std::string CommandOutput(const std::string& command)
{
    std::string output;
    RunCommand(command, output);
    return output;
}
