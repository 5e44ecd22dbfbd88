// Runs plexora-merge as a user would, capturing what it prints, on stems
// and settings files written for it.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

struct Outcome {
    int nExitCode = -1;
    std::string out;
    std::string err;

    bool operator==(const Outcome&) const = default;
};

inline void PrintTo(const Outcome& outcome, std::ostream* os)
{
    *os << "exit status " << outcome.nExitCode << ", standard output " << testing::PrintToString(outcome.out)
        << ", standard error " << testing::PrintToString(outcome.err);
}

// Starts program with args, standard output on fdOut and standard error on
// fdErr; inChild runs in the child just before the program (to set limits).
inline pid_t StartProgram(const std::string& program, std::vector<std::string> args, int fdOut, int fdErr,
                          const std::function<void()>& inChild = {})
{
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fdOut, STDOUT_FILENO);
        dup2(fdErr, STDERR_FILENO);
        if (inChild)
            inChild();
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status of a child that exited, or -1.
inline int WaitForExit(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Standard output goes to a file of dir, removed afterwards; standard error
// too, or to a pseudo-terminal with bTerminal. inChild as StartProgram's.
inline Outcome RunMerge(const TempDir& dir, std::vector<std::string> args,
                        const std::string& program = PLEXORA_MERGE_EXE, bool bTerminal = false,
                        const std::function<void()>& inChild = {})
{
    const std::string outPath = dir / ".stdout";
    const std::string errPath = dir / ".stderr";
    int terminal = -1;
    int slave = -1;
    if (bTerminal && openpty(&terminal, &slave, nullptr, nullptr, nullptr) != 0)
        return {};
    const int fdOut = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int fdErr = bTerminal ? slave : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = StartProgram(program, std::move(args), fdOut, fdErr, inChild);
    close(fdOut);
    close(fdErr);
    Outcome outcome;
    if (bTerminal) {
        for (char c; read(terminal, &c, 1) == 1;)  // until the program's end closes the terminal
            outcome.err += c;
        close(terminal);
    }
    outcome.nExitCode = WaitForExit(pid);
    outcome.out = ReadWholeFile(outPath);
    if (!bTerminal)
        outcome.err = ReadWholeFile(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return outcome;
}

// Writes wav to dir / name; its path.
inline std::string WriteWav(const TempDir& dir, const std::string& name, const WavBuilder& wav)
{
    const std::string path = dir / name;
    wav.Write(path);
    return path;
}

struct Stems {
    std::vector<std::string> paths;
    std::vector<std::string> data;
    size_t nBytes = 0;
};

// Mono 16-bit 48 kHz files base + suffix + ".wav"; the k-th holds 2k bytes
// less than nBytes, so that padding shows.
inline Stems WriteStems(const TempDir& dir, const std::string& base, const std::vector<std::string>& suffixes,
                        size_t nBytes, int nSeed = 0)
{
    Stems stems;
    stems.nBytes = nBytes;
    for (size_t k = 0; k < suffixes.size(); ++k) {
        stems.paths.push_back(dir / (base + suffixes[k] + ".wav"));
        stems.data.push_back(PatternBytes(nBytes - 2 * k, nSeed + static_cast<int>(k)));
        WavBuilder().Fmt(1, 48000, 16).Data(stems.data.back()).Write(stems.paths.back());
    }
    return stems;
}

// The whole output of a merge of the first nInputs stems, laid out by hand.
inline std::string MergedBytes(const Stems& stems, size_t nInputs, std::uint32_t dwMask, bool bPlain = false)
{
    const std::vector<std::string> used(stems.data.begin(), stems.data.begin() + static_cast<long>(nInputs));
    return ExpectedHeader(static_cast<std::uint16_t>(nInputs), 48000, static_cast<std::uint32_t>(stems.nBytes), dwMask,
                          bPlain) +
           ExpectedData(used, stems.nBytes);
}

// Settings written by hand, LF only: suffixes of their own (blanks in Top
// Center's, Top Front Left's empty), two names that differ only in letter
// case, a mask with a bit past the 18 positions, one without channels, and
// the second configuration as the default.
inline std::string LiveSettings(int nNoExtensible = 0)
{
    return std::string("[Options]\nno WAVE_FORMAT_EXTENSIBLE = ") + std::to_string(nNoExtensible) + R"(
[Suffixes]
Front Left = _L
Front Right = _R
Side Left = _SL
Side Right = _SR
Top Center =  t c 
[Configurations]
number of configurations = 4
default configuration = 1
configuration #0 = Live
channel mask #0 = 3
configuration #1 = LIVE
channel mask #1 = 1539
configuration #2 = Wide
channel mask #2 = 2147483651
configuration #3 = none
channel mask #3 = 0
)";
}
