#include "platform/core/cstring.h"

#include <gtest/gtest.h>

namespace {

// Configuration names differ by more than ASCII letter case only. The cuts
// and Format are the stem-set rules' and the settings files' tests.
TEST(CStringTest, CompareNoCaseFoldsAsciiOnly)
{
    EXPECT_EQ(CString("Stereo AZ").CompareNoCase("stereo az"), 0);  // both ends of the range
    EXPECT_NE(CString("stereo").CompareNoCase("stereo "), 0);
    EXPECT_NE(CString("\xC9t\xE9").CompareNoCase("\xE9t\xE9"), 0);
}

}  // namespace
