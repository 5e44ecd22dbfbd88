// plexora-merge and plexora-split stopped half way (a signal, a file-size
// limit, a closed pipe): the old files stay, none is left aside, the status says why.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <thread>

#include "tests/cli/runprogram.h"

namespace {

constexpr size_t kStemBytes = 16 * 1024 * 1024;  // long enough to catch the merge half way

void LimitFileSizeTo1MiB()
{
    const rlimit limit{1 << 20, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
}

enum class Stop { Signal, FileSizeLimit, ClosedPipe };

// Two stems, in.wav merged of them, and what earlier runs left: out.wav and
// the stems of in.wav.
class SignalCliTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_stems = WriteStems(m_dir, "in", {"0", "1"}, kStemBytes);
        ASSERT_EQ(RunMerge(m_dir, {"-q", "-m", "3", "-o", m_in, m_stems.paths[0], m_stems.paths[1]}).nExitCode, 0);
        for (const std::string& earlier : m_earlier)
            WriteWholeFile(m_dir / earlier, "left by an earlier run: " + earlier);
        m_before = FilesIn(m_dir);
    }

    // Runs program with standard output into a pipe, which Stop::ClosedPipe
    // closes at once; Stop::Signal sends nSignal once two thirds of strAside
    // are written aside.
    Outcome RunStopped(const char* program, const std::vector<std::string>& args, Stop eStop, int nSignal,
                       const std::string& strAside)
    {
        const std::string errPath = m_dir / ".stderr";
        int fds[2];
        EXPECT_EQ(pipe2(fds, O_CLOEXEC), 0);
        const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid =
            StartProgram(program, args, fds[1], fdErr, eStop == Stop::FileSizeLimit ? LimitFileSizeTo1MiB : nullptr);
        close(fds[1]);
        close(fdErr);
        if (eStop == Stop::ClosedPipe)
            close(fds[0]);
        if (eStop == Stop::Signal) {
            while (WrittenAside(strAside) < 2 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
                std::this_thread::yield();
            kill(pid, nSignal);
        }
        Outcome outcome;
        outcome.nExitCode = WaitForExit(pid);
        if (eStop != Stop::ClosedPipe)
            close(fds[0]);
        outcome.err = ReadWholeFile(errPath);
        std::filesystem::remove(errPath);
        return outcome;
    }

    // How much of the output named strName is written aside so far.
    size_t WrittenAside(const std::string& strName) const
    {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path(), ec))
            if (entry.path().filename().string().starts_with("." + strName + "."))
                return entry.file_size(ec);
        return 0;
    }

    TempDir m_dir;
    const std::string m_in = m_dir / "in.wav";
    const std::string m_out = m_dir / "out.wav";
    const std::vector<std::string> m_earlier = {"out.wav", "inFL.wav", "inFR.wav"};
    Stems m_stems;
    std::vector<std::string> m_before;
};

// The stems of a split, like a merge's output, are put in place only after
// the last block. A closed pipe ends a merge into it as SIGPIPE does; once
// the output or the stems are in place, a summary meeting it stops nothing.
TEST_F(SignalCliTest, StoppedHalfWayTheOldFilesStayAndTheStatusSaysWhy)
{
    const std::vector<std::string> merge = {"-q", "-o", m_out, m_stems.paths[0], m_stems.paths[1]};
    const std::vector<std::string> split = {"-q", "-f", m_in};
    const std::string kMergeInterrupted = "plexora-merge: interrupted; '" + m_out + "' was not written.\n";
    const std::string kSplitInterrupted = "plexora-split: interrupted; '" + m_in + "' was not split.\n";
    struct Case {
        const char* program;
        std::vector<std::string> args;
        Stop eStop;
        int nSignal = 0;
        std::string aside = {};  // the output whose progress the signal waits for
        int nExitCode = 0;
        std::string err = {};
    };
    const Case cases[] = {
        {PLEXORA_MERGE_EXE, merge, Stop::Signal, SIGINT, "out.wav", 128 + SIGINT, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, Stop::Signal, SIGTERM, "out.wav", 128 + SIGTERM, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, Stop::Signal, SIGHUP, "out.wav", 128 + SIGHUP, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, Stop::FileSizeLimit, 0, "", 1,
         "Unable to process: can't write output data.\nThe output '" + m_out + "' can't be written: File too large.\n"},
        {PLEXORA_MERGE_EXE, {"-o", "-", m_stems.paths[0], m_stems.paths[1]}, Stop::ClosedPipe, 0, "", 128 + SIGPIPE,
         "plexora-merge: interrupted; '-' was not written.\n"},
        {PLEXORA_SPLIT_EXE, split, Stop::Signal, SIGINT, "inFR.wav", 128 + SIGINT, kSplitInterrupted},
        {PLEXORA_SPLIT_EXE, split, Stop::Signal, SIGTERM, "inFR.wav", 128 + SIGTERM, kSplitInterrupted},
        {PLEXORA_SPLIT_EXE, split, Stop::FileSizeLimit, 0, "", 1,
         "Unable to split: can't write output data.\nThe output '" + m_dir / "inFL.wav" +
             "' can't be written: File too large.\n"},
        {PLEXORA_MERGE_EXE, {"-o", m_out, m_stems.paths[0], m_stems.paths[1]}, Stop::ClosedPipe},
        {PLEXORA_SPLIT_EXE, {"-f", m_in}, Stop::ClosedPipe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args) + (c.nSignal ? strsignal(c.nSignal) : ""));
        EXPECT_EQ(RunStopped(c.program, c.args, c.eStop, c.nSignal, c.aside), (Outcome{c.nExitCode, "", c.err}));
        if (c.nExitCode == 0)
            continue;
        EXPECT_EQ(FilesIn(m_dir), m_before) << "a temporary file was left";
        for (const std::string& earlier : m_earlier)
            EXPECT_EQ(ReadWholeFile(m_dir / earlier), "left by an earlier run: " + earlier);
    }
    EXPECT_TRUE(ReadWholeFile(m_out) == ReadWholeFile(m_in)) << "the merge is not in place";
    EXPECT_EQ(ReadWholeFile(m_dir / "inFR.wav").size(), 44 + kStemBytes) << "the stems are not in place";
}

// Standard output gets the file a named output gets, the summary going to
// standard error.
TEST_F(SignalCliTest, StandardOutputGetsWhatANamedOutputGets)
{
    const std::string named = m_dir / "named.wav";
    const std::string summary = RunMerge(m_dir, {"-o", named, m_stems.paths[0], m_stems.paths[1]}).out;
    const Outcome piped = RunMerge(m_dir, {"-o", "-", m_stems.paths[0], m_stems.paths[1]});
    EXPECT_EQ(piped.nExitCode, 0);
    EXPECT_TRUE(piped.out == ReadWholeFile(named)) << "the audio differs";
    EXPECT_EQ(piped.err, "Wrote '-" + summary.substr(7 + named.size())) << "no summary on standard error";
}

}  // namespace
