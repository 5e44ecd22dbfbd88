#include "platform/fileexists.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

TEST(FileExistsTest, TakesTheNameLiterally)
{
    TempDir dir;
    WriteWholeFile(dir / "drumsFR.wav", "x");
    fs::create_directory(dir.path() / "folder.wav");
    fs::create_symlink(dir / "drumsFR.wav", dir / "link.wav");
    fs::create_symlink(dir / "gone.wav", dir / "dangling.wav");

    EXPECT_TRUE(FileExists((dir / "drumsFR.wav").c_str()));
    EXPECT_TRUE(FileExists((dir / "folder.wav").c_str()));
    EXPECT_TRUE(FileExists((dir / "link.wav").c_str()));
    // No wildcards, no other letter case on this file system.
    EXPECT_FALSE(FileExists((dir / "*.wav").c_str()));
    EXPECT_FALSE(FileExists((dir / "drums??.wav").c_str()));
    EXPECT_FALSE(FileExists((dir / "drumsfr.wav").c_str()));
    EXPECT_FALSE(FileExists((dir / "drumsFR.wav/").c_str()));
    EXPECT_FALSE(FileExists((dir / "dangling.wav").c_str())) << "it leads nowhere";
    EXPECT_FALSE(FileExists((dir / "missing/drumsFR.wav").c_str()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
}

}  // namespace
