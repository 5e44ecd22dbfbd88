#include "platform/core/cfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "tests/support/tempdir.h"

namespace {

// The modes the merge opens its inputs and its output with.
constexpr UINT kInputMode = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kOutputMode = CFile::modeCreate | CFile::modeWrite;

TEST(CFileTest, CreateEmptiesTheFileThenReadsAndSeeksAsWritten)
{
    TempDir dir;
    WriteWholeFile(dir / "a.bin", "old contents, longer");
    CFile out;
    ASSERT_TRUE(out.Open((dir / "a.bin").c_str(), kOutputMode));
    ASSERT_TRUE(out.Write("abcdef", 6));
    ASSERT_TRUE(out.Close());

    CFile in;
    ASSERT_TRUE(in.Open((dir / "a.bin").c_str(), kInputMode));
    char buf[8] = {};
    EXPECT_EQ(in.Seek(2, CFile::begin), 2);
    EXPECT_EQ(in.Read(buf, 3), 3u);
    EXPECT_EQ(std::string(buf, 3), "cde");
    EXPECT_EQ(in.Seek(0, CFile::current), 5);
    EXPECT_EQ(in.Read(buf, 8), 1u) << "nothing of the old contents is left";
    EXPECT_EQ(in.Read(buf, 8), 0u);
    EXPECT_FALSE(in.HasFailed());
}

TEST(CFileTest, OpenFailsWithoutSideEffects)
{
    TempDir dir;
    CFile f;
    EXPECT_FALSE(f.Open((dir / "missing.wav").c_str(), kInputMode));
    EXPECT_FALSE(f.Open((dir / "no/such/folder/out.wav").c_str(), kOutputMode));
    EXPECT_FALSE(f.Open(dir.path().c_str(), kInputMode)) << "a folder is not a file";
    EXPECT_FALSE(f.Open("", kInputMode));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(f.Close()) << "closing a file that is not open does nothing";
}

// A link at the name, to a file or to nothing, is neither followed nor changed.
TEST(CFileTest, CreateNewTakesOnlyAFreeName)
{
    TempDir dir;
    WriteWholeFile(dir / "victim", "theirs");
    std::filesystem::create_symlink(dir / "victim", dir / "link");
    std::filesystem::create_symlink(dir / "nowhere", dir / "dangling");
    for (const char* pszName : {"link", "dangling"}) {
        CFile file;
        EXPECT_FALSE(file.Open((dir / pszName).c_str(), CFile::modeCreateNew | CFile::modeWrite));
        EXPECT_EQ(file.GetSystemError(), EEXIST) << pszName;
    }
    EXPECT_EQ(ReadWholeFile(dir / "victim"), "theirs");
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

// Runs what in a child process (given 20 seconds); true when it returned true.
bool InAChild(const std::function<bool()>& what)
{
    const pid_t child = fork();
    if (child == 0) {
        alarm(20);
        _exit(what() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Readers share a file (the same file on two rows); a writer has it alone,
// and an input held with writing denied is no other process's output either.
// That the merge refuses an input as its output by any name is the merge's
// fault tests' (tests/faults).
TEST(CFileTest, ShareModesHoldAcrossProcesses)
{
    TempDir dir;
    const std::string input = dir / "in.wav";
    WriteWholeFile(input, "precious samples");
    CFile first, second;
    ASSERT_TRUE(first.Open(input.c_str(), kInputMode));
    EXPECT_TRUE(second.Open(input.c_str(), kInputMode));
    EXPECT_FALSE(CFile().Open(input.c_str(), kOutputMode));
    // A writer that takes no lock is kept out by this process's own record
    // of what is open, through another name of the same file too.
    std::filesystem::create_hard_link(input, dir / "hard.wav");
    EXPECT_FALSE(CFile().Open((dir / "hard.wav").c_str(), CFile::modeWrite | CFile::shareDenyNone));
    EXPECT_TRUE(InAChild([&] { return !CFile().Open(input.c_str(), kOutputMode); }))
        << "another process could open the input as its output";
    first.Close();
    second.Close();
    EXPECT_EQ(ReadWholeFile(input), "precious samples");

    CFile out;
    ASSERT_TRUE(out.Open(input.c_str(), kOutputMode)) << "free again once closed";
    EXPECT_FALSE(CFile().Open(input.c_str(), kInputMode)) << "open for writing elsewhere";
}

// Opening a FIFO must not wait for its other end: reading one that nobody
// writes ends at once, writing one that nobody reads fails at once.
TEST(CFileTest, AFifoNeverBlocksAnOpen)
{
    TempDir dir;
    const std::string fifo = dir / "fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_TRUE(InAChild([&] {
        CFile in, out;
        char byte = 0;
        return in.Open(fifo.c_str(), kInputMode) && in.Read(&byte, 1) == 0 &&
               !out.Open(fifo.c_str(), CFile::modeWrite | CFile::shareDenyNone);
    })) << "an open blocked or did not behave";
}

}  // namespace
