// Which row of a configuration a file given to --auto takes: the ties and
// corners of suffix matching.
#include "cli/autoset.h"

#include <gtest/gtest.h>

namespace {

TEST(FindRowOfFileTest, TheLongestSuffixBeforeTheLast4BytesAmongTheConfigurationsPositions)
{
    CSettings settings;
    settings.LoadDefaultSettings();
    settings.m_strSuffixes[9] = settings.m_strSuffixes[10] = "_S";  // Side Left and Side Right
    settings.m_strSuffixes[11] = "";                                // Top Center
    const std::tuple<const char*, DWORD, int> cases[] = {
        {"/a/drumsTFL.wav", 0x3FFFF, 12},  // Top Front Left, not Front Left
        {"/a/drumsBC.wav", 0x107, 3},      // a row, not a position index
        {"/a/drumsBR.wav", 0x3, 0},        // no Back Right in stereo: no match
        {"/a/drumsBr.wav", 0x3F, 0},       // letter case counts
        {"/a/drumsBR.wave", 0x3F, 0},      // the last 4 bytes go, whatever they are
        {"/a/drumsBR.wav", 0, 0},          // no rows at all
        {"/a/voice_S.wav", 0x603, 2},      // equal suffixes: the first row
        {"/a/voice.wav", 0x80B, 3},        // an empty suffix ends every name: it beats no match
        {"/a/voiceFL.wav", 0x80B, 0},      // and loses to any other
    };
    for (const auto& [pszFile, dwMask, nRow] : cases)
        EXPECT_EQ(FindRowOfFile(pszFile, GetChannelPositions(dwMask), settings), nRow) << pszFile;
}

}  // namespace
