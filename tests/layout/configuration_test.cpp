#include "layout/configuration.h"

#include <gtest/gtest.h>

#include "layout/speakerposition.h"

namespace {

using Positions = std::vector<int>;

TEST(SpeakerPositionTest, PositionIHasMaskBitI)
{
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        EXPECT_EQ(kSpeakerPositions[i].dwMask, 1u << i) << kSpeakerPositions[i].pszName;
}

TEST(ChannelRuleTest, ChannelsComeInTableOrder)
{
    // "surround": no low-frequency channel; 7.1: the centre-side pair, not the sides.
    EXPECT_EQ(GetChannelPositions(0x107), (Positions{0, 1, 2, 8}));
    EXPECT_EQ(GetChannelCount(0x107), 4);
    EXPECT_EQ(GetChannelPositions(0xFF), (Positions{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(GetChannelCount(0xFF), 8);
    EXPECT_EQ(GetChannelPositions(0x33), (Positions{0, 1, 4, 5}));
}

TEST(ChannelRuleTest, SpeakerOfARow)
{
    EXPECT_EQ(GetSpeakerOfRow(0x3F, 0), 0);
    EXPECT_EQ(GetSpeakerOfRow(0x3F, 3), 3);
    EXPECT_EQ(GetSpeakerOfRow(0x3F, 5), 5);
    EXPECT_EQ(GetSpeakerOfRow(0x3F, 6), -1);
    EXPECT_EQ(GetSpeakerOfRow(0x3F, -1), -1);
    EXPECT_EQ(GetSpeakerOfRow(0x107, 3), 8);
}

TEST(ChannelRuleTest, EmptyAndFullMasks)
{
    EXPECT_TRUE(GetChannelPositions(0).empty());
    EXPECT_EQ(GetChannelCount(0), 0);
    EXPECT_EQ(GetSpeakerOfRow(0, 0), -1);

    EXPECT_EQ(GetChannelCount(0x3FFFF), 18);
    for (int r = 0; r < 18; ++r)
        EXPECT_EQ(GetSpeakerOfRow(0x3FFFF, r), r);
    EXPECT_EQ(GetSpeakerOfRow(0x3FFFF, 18), -1);
}

TEST(ChannelRuleTest, BitsAboveTheTableMakeNoChannel)
{
    EXPECT_EQ(GetChannelPositions(0xFFFC0021), (Positions{0, 5}));
    EXPECT_EQ(GetSpeakerOfRow(0xFFFC0021, 1), 5);
    EXPECT_EQ(GetSpeakerOfRow(0xFFFC0021, 2), -1);
    EXPECT_EQ(GetChannelCount(0x80000000), 0);
}

TEST(ChannelRuleTest, MaskOfPositions)
{
    EXPECT_EQ(GetMaskOfPositions(Positions{0, 1, 4, 5}), 0x33u);
    EXPECT_EQ(GetMaskOfPositions(Positions{8, 2, 1, 0}), 0x107u);
    EXPECT_EQ(GetMaskOfPositions(Positions{3, 3}), 0x8u);
    EXPECT_EQ(GetMaskOfPositions(Positions{}), 0u);
    EXPECT_EQ(GetMaskOfPositions(Positions{-1, 18, 17}), 0x20000u);
    Positions all;
    for (int i = 0; i < 18; ++i)
        all.push_back(i);
    EXPECT_EQ(GetMaskOfPositions(all), 0x3FFFFu);
    for (DWORD mask : {0x3u, 0x33u, 0x107u, 0x3Fu, 0xFFu})
        EXPECT_EQ(GetMaskOfPositions(GetChannelPositions(mask)), mask);
}

}  // namespace
