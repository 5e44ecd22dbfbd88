#include "platform/core/cstring.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, CutsCountBytesAndClamp)
{
    CString s("drumsFL.wav");
    EXPECT_EQ(s.Left(s.GetLength() - 4), "drumsFL");
    EXPECT_EQ(s.Right(3), "wav");
    EXPECT_EQ(s.Mid(5, 2), "FL");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(99), "drumsFL.wav");
    EXPECT_EQ(s.Mid(99), "");
}

// Configuration names differ by more than ASCII letter case only.
TEST(CStringTest, CompareNoCaseFoldsAsciiOnly)
{
    EXPECT_EQ(CString("Stereo").CompareNoCase("stereo"), 0);
    EXPECT_NE(CString("stereo").CompareNoCase("stereo "), 0);
    EXPECT_NE(CString("\xC9t\xE9").CompareNoCase("\xE9t\xE9"), 0);
}

TEST(CStringTest, FormatHasNoLengthLimit)
{
    CString s;
    std::string big(2000, 'n');
    s.Format("configuration #%d = %s", 12, big.c_str());
    EXPECT_EQ(s.GetLength(), 20 + 2000);
    EXPECT_EQ(s.Left(20), "configuration #12 = ");
}

}  // namespace
