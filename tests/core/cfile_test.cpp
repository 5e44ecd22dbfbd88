#include "core/cfile.h"
#include "core/creplacingfile.h"
#include "core/fileexists.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/childprocess.h"
#include "tests/support/mergecheck.h"

namespace {

// The modes the merge opens its inputs and its output with.
constexpr UINT kInputMode = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kOutputMode = CFile::modeCreate | CFile::modeWrite;

// Sibling loading asks for one exact name: no wildcards, no other letter
// case, no dangling link. A new file takes only a free name: a link there,
// to a file or to nothing, is neither followed nor changed.
TEST(CFileTest, FileExistsTakesTheNameLiterallyAndCreateNewOnlyAFreeOne)
{
    TempDir dir;
    WriteWholeFile(dir / "drumsFR.wav", "theirs");
    std::filesystem::create_directory(dir.path() / "folder.wav");
    std::filesystem::create_symlink(dir / "drumsFR.wav", dir / "link.wav");
    std::filesystem::create_symlink(dir / "gone.wav", dir / "dangling.wav");

    for (const char* pszName : {"drumsFR.wav", "folder.wav", "link.wav"})
        EXPECT_TRUE(FileExists((dir / pszName).c_str())) << pszName;
    for (const char* pszName : {"*.wav", "drums??.wav", "drumsfr.wav", "drumsFR.wav/", "dangling.wav",
                                "missing/drumsFR.wav"})
        EXPECT_FALSE(FileExists((dir / pszName).c_str())) << pszName;
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
    for (const char* pszName : {"link.wav", "dangling.wav"}) {
        CFile file;
        EXPECT_FALSE(file.Open((dir / pszName).c_str(), CFile::modeCreateNew | CFile::modeWrite));
        EXPECT_EQ(file.GetSystemError(), EEXIST) << pszName;
    }
    EXPECT_EQ(ReadWholeFile(dir / "drumsFR.wav"), "theirs");
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.wav"));
}

// Readers share a file (the same file on two rows); a writer has it alone,
// and an input held with writing denied is no other process's output either.
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
    EXPECT_TRUE(RunInChild([&] { return !CFile().Open(input.c_str(), kOutputMode); }))
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
    EXPECT_TRUE(RunInChild([&] {
        alarm(20);  // a blocked open ends the child
        CFile in, out;
        char byte = 0;
        return in.Open(fifo.c_str(), kInputMode) && in.Read(&byte, 1) == 0 &&
               !out.Open(fifo.c_str(), CFile::modeWrite | CFile::shareDenyNone);
    })) << "an open blocked or did not behave";
}

// A replacement that cannot be put in place (here the name became a folder
// while it was written) is removed: the folder holds only what it held.
TEST(CFileTest, AReplacementThatCannotBeRenamedLeavesNothingBehind)
{
    TempDir dir;
    const std::string target = dir / "out.wav";
    WriteWholeFile(target, "old");
    CReplacingFile file;
    ASSERT_TRUE(file.Create(target.c_str(), InPlace::Refused));
    file.Write("new", 3);
    std::filesystem::remove(target);
    std::filesystem::create_directories(dir.path() / "out.wav" / "kept");
    EXPECT_FALSE(file.Close());
    EXPECT_NE(file.GetSystemError(), 0);
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"out.wav"});
}

}  // namespace
