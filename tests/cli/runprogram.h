// Runs plexora-merge as a user would, capturing what it prints.
#pragma once

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"

struct Outcome {
    int nExitCode = -1;
    std::string out;
    std::string err;
};

struct RunOptions {
    bool bTerminal = false;                        // standard error on a pseudo-terminal
    rlim_t fileSizeLimit = 0;                      // RLIMIT_FSIZE when not 0
    std::string strExecutable = PLEXORA_MERGE_EXE;  // another copy of the program
};

inline std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    return text;
}

// Standard output and error are caught in files of dir, removed afterwards.
inline Outcome RunMerge(const TempDir& dir, std::vector<std::string> args, RunOptions options = {})
{
    const std::string outPath = dir / ".stdout";
    const std::string errPath = dir / ".stderr";
    int master = -1;
    int slave = -1;
    if (options.bTerminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return {};
    args.insert(args.begin(), options.strExecutable);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        dup2(options.bTerminal ? slave : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        if (options.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{options.fileSizeLimit, options.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &rl);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    Outcome outcome;
    if (options.bTerminal) {
        close(slave);
        outcome.err = ReadAll(master);  // until the program's end closes the terminal
        close(master);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.nExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadWholeFile(outPath);
    if (!options.bTerminal)
        outcome.err = ReadWholeFile(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return outcome;
}
