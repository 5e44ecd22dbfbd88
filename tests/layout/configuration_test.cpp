#include "layout/configuration.h"

#include <gtest/gtest.h>

namespace {

// Every rule of a mask at once: its positions in table order, their count,
// the speaker of each row and of the rows it lacks, and back to a mask.
TEST(ChannelRuleTest, ChannelsAreTheTableBitsOfTheMaskInTableOrder)
{
    const std::pair<DWORD, std::vector<int>> cases[] = {
        {0x107, {0, 1, 2, 8}},             // "surround": Back Center, no low frequency
        {0xFF, {0, 1, 2, 3, 4, 5, 6, 7}},  // 7.1: the pair beside the centre, not the sides
        {0, {}},
        {0x3FFFF, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}},
        {0xFFFC0021, {0, 5}},              // bits above 0x20000 make no channel
    };
    for (const auto& [dwMask, positions] : cases) {
        SCOPED_TRACE(dwMask);
        EXPECT_EQ(GetChannelPositions(dwMask), positions);
        EXPECT_EQ(GetChannelCount(dwMask), static_cast<int>(positions.size()));
        for (size_t r = 0; r < positions.size(); ++r)
            EXPECT_EQ(GetSpeakerOfRow(dwMask, static_cast<int>(r)), positions[r]);
        EXPECT_EQ(GetSpeakerOfRow(dwMask, static_cast<int>(positions.size())), -1);
        EXPECT_EQ(GetSpeakerOfRow(dwMask, -1), -1);
        EXPECT_EQ(GetMaskOfPositions(positions), dwMask & 0x3FFFF);
    }
    // Indexes outside the table add nothing, repeats nothing more.
    EXPECT_EQ(GetMaskOfPositions(std::vector<int>{-1, 18, 17, 3, 3}), 0x20008u);
}

}  // namespace
