#include "layout/basename.h"

#include <gtest/gtest.h>

namespace {

struct BaseNameCase {
    const char* pszPath;
    const char* pszSuffix;
    const char* pszBase;
};

TEST(GetBaseNameTest, ExamplesOfSiblingLoadingAndOutputNaming)
{
    const BaseNameCase cases[] = {
        {"/Audio/drumsFL.wav", "FL", "/Audio/drums"},
        {"/Audio/drumsBR.wav", "BR", "/Audio/drums"},
        {"/Audio/take2.wav", "FR", "/Audio/take2"},
        {"/Audio/drums_FL.wav", "FL", "/Audio/drums_"},
        {"/Audio/take1.wav", "FL", "/Audio/take1"},
        {"/Audio/drumsfl.wav", "FL", "/Audio/drumsfl"},      // letter case counts
        {"/Audio/drumsFL.wave", "FL", "/Audio/drumsFL."},    // 4 bytes, not the extension
        {"/Mix/kickFL.wave", "FL", "/Mix/kickFL."},
        {"/Audio/voice_L.wav", "_L", "/Audio/voice"},
        {"/Audio/drumsFL.wav", "", "/Audio/drumsFL"},        // an empty suffix removes nothing
        {"/Audio/FL.wav", "FL", "/Audio/"},
        {"/Audio/L.wav", "FL", "/Audio/L"},
        {"a.w", "FL", ""},
        {"/A/kick.w\xC3\xA9", "", "/A/kick"},                // bytes, not characters
        {"/A/kick\xC3\xA9.wav", "\xA9", "/A/kick\xC3"},
    };
    for (const BaseNameCase& c : cases)
        EXPECT_EQ(GetBaseName(c.pszPath, c.pszSuffix), c.pszBase) << c.pszPath << " " << c.pszSuffix;
}

}  // namespace
