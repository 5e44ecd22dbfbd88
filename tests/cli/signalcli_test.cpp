// plexora-merge and plexora-split stopped half way by a signal, a closed
// pipe or a file-size limit: the old output or stems stay byte for byte, no
// temporary file is left, and the exit status says what happened. Audio on
// standard output is the file a named output gets.
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

    // Runs program, standard output and error into one file: with nSignal,
    // sends it once two thirds of strAside are written aside; without, under
    // a file-size limit of 1 MiB.
    Outcome RunStopped(const char* program, const std::vector<std::string>& args, const std::string& strAside,
                       int nSignal)
    {
        const std::string errPath = m_dir / ".stderr";
        const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid = StartProgram(program, args, fdErr, fdErr, nSignal ? nullptr : LimitFileSizeTo1MiB);
        close(fdErr);
        while (nSignal && WrittenAside(strAside) < 2 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
            std::this_thread::yield();
        if (nSignal)
            kill(pid, nSignal);
        Outcome outcome;
        outcome.nExitCode = WaitForExit(pid);
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

    void ExpectNothingChanged()
    {
        EXPECT_EQ(FilesIn(m_dir), m_before) << "a temporary file was left";
        for (const std::string& earlier : m_earlier)
            EXPECT_EQ(ReadWholeFile(m_dir / earlier), "left by an earlier run: " + earlier);
    }

    TempDir m_dir;
    const std::string m_in = m_dir / "in.wav";
    const std::string m_out = m_dir / "out.wav";
    const std::vector<std::string> m_earlier = {"out.wav", "inFL.wav", "inFR.wav"};
    Stems m_stems;
    std::vector<std::string> m_before;
};

// The stems of a split, like a merge's output, are put in place only after
// the last block.
TEST_F(SignalCliTest, StoppedHalfWayTheOldFilesStayAndTheStatusSaysWhy)
{
    const std::vector<std::string> merge = {"-q", "-o", m_out, m_stems.paths[0], m_stems.paths[1]};
    const std::vector<std::string> split = {"-q", "-f", m_in};
    const std::string kMergeInterrupted = "plexora-merge: interrupted; '" + m_out + "' was not written.\n";
    const std::string kSplitInterrupted = "plexora-split: interrupted; '" + m_in + "' was not split.\n";
    struct Case {
        const char* program;
        std::vector<std::string> args;
        std::string aside;  // the output whose progress the signal waits for
        int nSignal;        // 0: the file-size limit
        int nExitCode;
        std::string err;
    };
    const Case cases[] = {
        {PLEXORA_MERGE_EXE, merge, "out.wav", SIGINT, 128 + SIGINT, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, "out.wav", SIGTERM, 128 + SIGTERM, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, "out.wav", SIGHUP, 128 + SIGHUP, kMergeInterrupted},
        {PLEXORA_MERGE_EXE, merge, "", 0, 1,
         "Unable to process: can't write output data.\nThe output '" + m_out + "' can't be written: File too large.\n"},
        {PLEXORA_SPLIT_EXE, split, "inFR.wav", SIGINT, 128 + SIGINT, kSplitInterrupted},
        {PLEXORA_SPLIT_EXE, split, "inFR.wav", SIGTERM, 128 + SIGTERM, kSplitInterrupted},
        {PLEXORA_SPLIT_EXE, split, "", 0, 1,
         "Unable to split: can't write output data.\nThe output '" + m_dir / "inFL.wav" +
             "' can't be written: File too large.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.program << ", " << (c.nSignal ? strsignal(c.nSignal) : "1 MiB"));
        const Outcome outcome = RunStopped(c.program, c.args, c.aside, c.nSignal);
        EXPECT_EQ(outcome.nExitCode, c.nExitCode);
        EXPECT_EQ(outcome.err, c.err);
        ExpectNothingChanged();
    }
}

// Standard output gets the file a named output gets, the summary going to
// standard error. A pipe its reader closes (as head -c 1000 does) ends a
// merge into it as SIGPIPE does, leaving nothing behind; once the output or
// the stems are in place, a summary meeting a closed pipe stops nothing.
TEST_F(SignalCliTest, StandardOutputAndAClosedPipe)
{
    const std::string named = m_dir / "named.wav";
    const std::string summary = RunMerge(m_dir, {"-o", named, m_stems.paths[0], m_stems.paths[1]}).out;
    const Outcome piped = RunMerge(m_dir, {"-o", "-", m_stems.paths[0], m_stems.paths[1]});
    EXPECT_EQ(piped.nExitCode, 0);
    EXPECT_TRUE(piped.out == ReadWholeFile(named)) << "the audio differs";
    EXPECT_EQ(piped.err, "Wrote '-" + summary.substr(7 + named.size())) << "no summary on standard error";
    std::filesystem::remove(named);

    const struct {
        const char* program;
        std::vector<std::string> args;
        size_t nHead;  // the bytes read before the pipe is closed
        int nExitCode;
        std::string err;
    } cases[] = {
        {PLEXORA_MERGE_EXE, {"-o", "-", m_stems.paths[0], m_stems.paths[1]}, 1000, 128 + SIGPIPE,
         "plexora-merge: interrupted; '-' was not written.\n"},
        {PLEXORA_MERGE_EXE, {"-o", m_out, m_stems.paths[0], m_stems.paths[1]}, 0, 0, ""},
        {PLEXORA_SPLIT_EXE, {"-f", m_in}, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        int fds[2];
        ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
        const int fdErr = open((m_dir / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid = StartProgram(c.program, c.args, fds[1], fdErr);
        close(fds[1]);
        close(fdErr);
        char head[1000];
        for (size_t nRead = 0; nRead < c.nHead;) {
            const ssize_t n = read(fds[0], head + nRead, c.nHead - nRead);
            if (n <= 0)
                break;
            nRead += static_cast<size_t>(n);
        }
        close(fds[0]);
        EXPECT_EQ(WaitForExit(pid), c.nExitCode);
        EXPECT_EQ(ReadWholeFile(m_dir / ".stderr"), c.err);
        std::filesystem::remove(m_dir / ".stderr");
        if (c.nExitCode != 0)
            ExpectNothingChanged();
    }
    EXPECT_TRUE(ReadWholeFile(m_out) == ReadWholeFile(m_in)) << "the merge is not in place";
    EXPECT_EQ(ReadWholeFile(m_dir / "inFR.wav").size(), 44 + kStemBytes) << "the stems are not in place";
}

}  // namespace
