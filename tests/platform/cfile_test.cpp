#include "platform/cfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/tempdir.h"

namespace {

constexpr UINT kInputMode = CFile::modeRead | CFile::shareDenyWrite;            // 0x20
constexpr UINT kOutputMode = CFile::modeCreate | CFile::modeWrite;              // 0x1001

TEST(CFileTest, ModesHaveTheValuesTheProgramPasses)
{
    EXPECT_EQ(kInputMode, 0x20u);
    EXPECT_EQ(kOutputMode, 0x1001u);
}

TEST(CFileTest, ReadsWritesAndSeeks)
{
    TempDir dir;
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
    EXPECT_EQ(in.Read(buf, 8), 1u);
    EXPECT_EQ(in.Read(buf, 8), 0u);
    EXPECT_FALSE(in.HasFailed());
}

TEST(CFileTest, CreateEmptiesAnExistingFile)
{
    TempDir dir;
    WriteWholeFile(dir / "a.bin", "old contents");
    CFile out;
    ASSERT_TRUE(out.Open((dir / "a.bin").c_str(), kOutputMode));
    ASSERT_TRUE(out.Write("new", 3));
    out.Close();
    EXPECT_EQ(ReadWholeFile(dir / "a.bin"), "new");
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

// An input held with writing denied cannot become the output, whatever name
// reaches it, and it is not truncated by the attempt.
TEST(CFileTest, OutputNamingAnOpenInputIsRefusedUntouched)
{
    TempDir dir;
    const std::string input = dir / "in.wav";
    WriteWholeFile(input, "precious samples");
    std::filesystem::create_symlink(input, dir / "link.wav");
    std::filesystem::create_hard_link(input, dir / "hard.wav");

    CFile in;
    ASSERT_TRUE(in.Open(input.c_str(), kInputMode));
    for (const char* name : {"in.wav", "link.wav", "hard.wav"}) {
        CFile out;
        EXPECT_FALSE(out.Open((dir / name).c_str(), kOutputMode)) << name;
    }
    in.Close();
    EXPECT_EQ(ReadWholeFile(input), "precious samples");

    CFile out;
    EXPECT_TRUE(out.Open((dir / "link.wav").c_str(), kOutputMode)) << "free again once closed";
}

TEST(CFileTest, ReadersShareButNotWithAWriter)
{
    TempDir dir;
    WriteWholeFile(dir / "a.wav", "x");
    CFile first, second;
    ASSERT_TRUE(first.Open((dir / "a.wav").c_str(), kInputMode));
    EXPECT_TRUE(second.Open((dir / "a.wav").c_str(), kInputMode)) << "the same file on two rows";
    first.Close();
    second.Close();

    CFile out, in;
    ASSERT_TRUE(out.Open((dir / "a.wav").c_str(), kOutputMode));
    EXPECT_FALSE(in.Open((dir / "a.wav").c_str(), kInputMode)) << "open for writing elsewhere";
}

TEST(CFileTest, AnotherProcessHonoursTheLocks)
{
    TempDir dir;
    const std::string input = dir / "in.wav";
    WriteWholeFile(input, "precious");
    CFile in;
    ASSERT_TRUE(in.Open(input.c_str(), kInputMode));

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CFile out;
        _exit(out.Open(input.c_str(), kOutputMode) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other process could open the input as its output";
    EXPECT_EQ(ReadWholeFile(input), "precious");
}

TEST(CFileTest, AFailedWriteIsReported)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    CFile out;
    ASSERT_TRUE(out.Open("/dev/full", kOutputMode));
    EXPECT_FALSE(out.Write("x", 1));
    EXPECT_TRUE(out.HasFailed());
    EXPECT_FALSE(out.Close());
}

// Opening a FIFO must not wait for its other end: reading one that nobody
// writes ends at once, writing one that nobody reads fails at once.
TEST(CFileTest, AFifoNeverBlocksAnOpen)
{
    TempDir dir;
    const std::string fifo = dir / "fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(20);
        CFile in, out;
        char byte = 0;
        const bool bAsExpected = in.Open(fifo.c_str(), kInputMode) && in.Read(&byte, 1) == 0 &&
                                 !out.Open(fifo.c_str(), CFile::modeWrite | CFile::shareDenyNone);
        _exit(bAsExpected ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an open blocked or did not behave";
}

TEST(CFileTest, KnowsWhetherAPathStillNamesTheFileItOpened)
{
    TempDir dir;
    WriteWholeFile(dir / "a.wav", "a");
    std::filesystem::create_symlink(dir / "a.wav", dir / "link.wav");
    std::filesystem::create_hard_link(dir / "a.wav", dir / "hard.wav");
    CFile file;
    EXPECT_FALSE(file.IsSameFileAs((dir / "a.wav").c_str())) << "not open";
    ASSERT_TRUE(file.Open((dir / "a.wav").c_str(), kInputMode));
    for (const char* name : {"a.wav", "link.wav", "hard.wav"})
        EXPECT_TRUE(file.IsSameFileAs((dir / name).c_str())) << name;
    EXPECT_FALSE(file.IsSameFileAs(dir.path().c_str()));
    std::filesystem::remove(dir / "a.wav");
    EXPECT_FALSE(file.IsSameFileAs((dir / "a.wav").c_str())) << "removed";
    WriteWholeFile(dir / "a.wav", "another");
    EXPECT_FALSE(file.IsSameFileAs((dir / "a.wav").c_str())) << "replaced";
    EXPECT_TRUE(file.IsSameFileAs((dir / "hard.wav").c_str()));
}

TEST(CFileTest, RemoveAndRename)
{
    TempDir dir;
    WriteWholeFile(dir / "a", "1");
    EXPECT_TRUE(CFile::Rename((dir / "a").c_str(), (dir / "b").c_str()));
    EXPECT_EQ(ReadWholeFile(dir / "b"), "1");
    EXPECT_TRUE(CFile::Remove((dir / "b").c_str()));
    EXPECT_FALSE(CFile::Remove((dir / "b").c_str()));
}

}  // namespace
