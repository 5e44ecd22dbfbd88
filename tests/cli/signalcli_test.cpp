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

std::string Line(const std::string& text)
{
    return text + "\n";
}

class SignalCliTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_stems = WriteStems(m_dir, "in", {"0", "1"}, kStemBytes);
        WriteWholeFile(m_out, "the output of an earlier merge");
        m_before = FilesIn(m_dir);
    }

    // Runs the merge into out.wav, waits until a third of it is written, then
    // sends the signal.
    std::pair<int, std::string> InterruptHalfWay(int nSignal)
    {
        const std::string errPath = m_dir / ".stderr";
        const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid = StartProgram(PLEXORA_MERGE_EXE, {"-q", "-o", m_out, m_stems.paths[0], m_stems.paths[1]},
                                       fdErr, fdErr);
        close(fdErr);
        while (WrittenAside() < 2 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
            std::this_thread::yield();
        kill(pid, nSignal);
        const int nExitCode = WaitForExit(pid);
        std::string err = ReadWholeFile(errPath);
        std::filesystem::remove(errPath);
        return {nExitCode, err};
    }

    // How much of the output named strName is written aside so far.
    size_t WrittenAside(const std::string& strName = "out.wav") const
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
        EXPECT_EQ(ReadWholeFile(m_out), "the output of an earlier merge");
    }

    TempDir m_dir;
    const std::string m_out = m_dir / "out.wav";
    Stems m_stems;
    std::vector<std::string> m_before;
};

TEST_F(SignalCliTest, ASignalHalfWayLeavesTheOldOutputAndEndsWith128PlusItsNumber)
{
    for (const int nSignal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(nSignal));
        const auto [nExitCode, err] = InterruptHalfWay(nSignal);
        EXPECT_EQ(nExitCode, 128 + nSignal);
        EXPECT_EQ(err, Line("plexora-merge: interrupted; '" + m_out + "' was not written."));
        ExpectNothingChanged();
    }
}

TEST_F(SignalCliTest, AFileSizeLimitIsAWriteErrorLikeAnyOther)
{
    const int fdErr = open((m_dir / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = StartProgram(PLEXORA_MERGE_EXE, {"-o", m_out, m_stems.paths[0], m_stems.paths[1]}, fdErr,
                                   fdErr, [] {
                                       const rlimit limit{1 << 20, RLIM_INFINITY};
                                       setrlimit(RLIMIT_FSIZE, &limit);
                                   });
    close(fdErr);
    EXPECT_EQ(WaitForExit(pid), 1);
    EXPECT_EQ(ReadWholeFile(m_dir / ".stderr"), Line("Unable to process: can't write output data.") +
                                                    Line("The output '" + m_out + "' can't be written: File too large."));
    std::filesystem::remove(m_dir / ".stderr");
    ExpectNothingChanged();
}

// The stems of a split are put in place only after its last block: a
// signal half way, or a write past the file-size limit, leaves the earlier
// stems as they were.
TEST_F(SignalCliTest, ASplitStoppedHalfWayLeavesTheOldStems)
{
    const std::string in = m_dir / "in.wav";
    ASSERT_EQ(RunMerge(m_dir, {"-q", "-m", "3", "-o", in, m_stems.paths[0], m_stems.paths[1]}).nExitCode, 0);
    const std::string stems[] = {m_dir / "inFL.wav", m_dir / "inFR.wav"};
    WriteWholeFile(stems[0], "an earlier FL");
    WriteWholeFile(stems[1], "an earlier FR");
    const std::vector<std::string> before = FilesIn(m_dir);
    const std::string errPath = m_dir / ".stderr";
    auto ExpectStemsKept = [&] {
        EXPECT_EQ(FilesIn(m_dir), before) << "a temporary file was left";
        EXPECT_EQ(ReadWholeFile(stems[0]), "an earlier FL");
        EXPECT_EQ(ReadWholeFile(stems[1]), "an earlier FR");
    };
    for (const int nSignal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(nSignal));
        const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const pid_t pid = StartProgram(PLEXORA_SPLIT_EXE, {"-q", "-f", in}, fdErr, fdErr);
        close(fdErr);
        while (WrittenAside("inFR.wav") < 2 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
            std::this_thread::yield();
        kill(pid, nSignal);
        EXPECT_EQ(WaitForExit(pid), 128 + nSignal);
        EXPECT_EQ(ReadWholeFile(errPath), Line("plexora-split: interrupted; '" + in + "' was not split."));
        std::filesystem::remove(errPath);
        ExpectStemsKept();
    }

    const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = StartProgram(PLEXORA_SPLIT_EXE, {"-f", in}, fdErr, fdErr, [] {
        const rlimit limit{1 << 20, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    close(fdErr);
    EXPECT_EQ(WaitForExit(pid), 1);
    EXPECT_EQ(ReadWholeFile(errPath), Line("Unable to split: can't write output data.") +
                                          Line("The output '" + stems[0] + "' can't be written: File too large."));
    std::filesystem::remove(errPath);
    ExpectStemsKept();
}

TEST_F(SignalCliTest, StandardOutputGetsTheFileAndNothingElseAndAClosedPipeEndsTheMerge)
{
    const std::string named = m_dir / "named.wav";
    std::string summary = RunMerge(m_dir, {"-o", named, m_stems.paths[0], m_stems.paths[1]}).out;
    const Outcome piped = RunMerge(m_dir, {"-o", "-", m_stems.paths[0], m_stems.paths[1]});
    EXPECT_EQ(piped.nExitCode, 0);
    EXPECT_TRUE(piped.out == ReadWholeFile(named)) << "the audio differs";
    EXPECT_EQ(piped.err, "Wrote '-" + summary.substr(7 + named.size())) << "no summary on standard error";
    std::filesystem::remove(m_dir / "named.wav");

    int fds[2];
    ASSERT_EQ(pipe2(fds, O_CLOEXEC), 0);
    const int fdErr = open((m_dir / ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = StartProgram(PLEXORA_MERGE_EXE, {"-o", "-", m_stems.paths[0], m_stems.paths[1]}, fds[1], fdErr);
    close(fds[1]);
    close(fdErr);
    char head[1000];  // as head -c 1000 reads
    size_t nRead = 0;
    while (nRead < sizeof head) {
        const ssize_t n = read(fds[0], head + nRead, sizeof head - nRead);
        if (n <= 0)
            break;
        nRead += static_cast<size_t>(n);
    }
    EXPECT_EQ(nRead, sizeof head);
    close(fds[0]);
    EXPECT_EQ(WaitForExit(pid), 128 + SIGPIPE);
    EXPECT_EQ(ReadWholeFile(m_dir / ".stderr"), Line("plexora-merge: interrupted; '-' was not written."));
    std::filesystem::remove(m_dir / ".stderr");
    ExpectNothingChanged();
}

}  // namespace
