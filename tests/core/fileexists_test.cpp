#include "core/fileexists.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

// Sibling loading asks for one exact name: no wildcards, no other letter case.
TEST(FileExistsTest, TakesTheNameLiterally)
{
    TempDir dir;
    WriteWholeFile(dir / "drumsFR.wav", "x");
    fs::create_directory(dir.path() / "folder.wav");
    fs::create_symlink(dir / "drumsFR.wav", dir / "link.wav");
    fs::create_symlink(dir / "gone.wav", dir / "dangling.wav");

    for (const char* name : {"drumsFR.wav", "folder.wav", "link.wav"})
        EXPECT_TRUE(FileExists((dir / name).c_str())) << name;
    for (const char* name : {"*.wav", "drums??.wav", "drumsfr.wav", "drumsFR.wav/", "dangling.wav",
                             "missing/drumsFR.wav"})
        EXPECT_FALSE(FileExists((dir / name).c_str())) << name;
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));
}

}  // namespace
