#include "layout/basename.h"

#include <gtest/gtest.h>

namespace {

TEST(GetBaseNameTest, ExamplesOfSiblingLoadingAndOutputNaming)
{
    const char* const cases[][3] = {  // path, suffix, base name
        {"/Audio/drumsFL.wav", "FL", "/Audio/drums"},
        {"/Audio/drumsBR.wav", "BR", "/Audio/drums"},
        {"/Audio/take2.wav", "FR", "/Audio/take2"},
        {"/Audio/drums_FL.wav", "FL", "/Audio/drums_"},
        {"/Audio/take1.wav", "FL", "/Audio/take1"},
        {"/Audio/drumsfl.wav", "FL", "/Audio/drumsfl"},    // letter case counts
        {"/Audio/drumsFL.wave", "FL", "/Audio/drumsFL."},  // 4 bytes, not the extension
        {"/Mix/kickFL.wave", "FL", "/Mix/kickFL."},
        {"/Audio/voice_L.wav", "_L", "/Audio/voice"},
        {"/Audio/drumsFL.wav", "", "/Audio/drumsFL"},      // an empty suffix removes nothing
        {"a.w", "FL", ""},                                 // shorter than 4 bytes
        {"/A/kick.w\xC3\xA9", "", "/A/kick"},              // bytes, not characters
    };
    for (const auto& [pszPath, pszSuffix, pszBase] : cases)
        EXPECT_EQ(GetBaseName(pszPath, pszSuffix), pszBase) << pszPath << " " << pszSuffix;
}

}  // namespace
