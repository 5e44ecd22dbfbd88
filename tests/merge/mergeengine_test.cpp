#include "merge/mergeengine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/wavbuilder.h"

namespace {

// Block edges (0, 102400, 102401 bytes), odd lengths, padding, a data chunk
// claiming more than its file holds, chunks after the data and the progress
// calls (every format and interleave is the programs' test). One engine
// merges them all in turn, as the dialog does, so nothing may carry over
// from one merge to the next.
TEST(MergeEngineTest, BlockEdgesOddLengthsAndPadding)
{
    struct Case {
        std::vector<size_t> lengths;  // the data bytes each input holds
        DWORD dwMask;
        bool bPlain;
        size_t nFirstClaims = 0;  // the data length input 0 states, when more than it holds
    };
    const Case cases[] = {
        {{20, 8}, 0x3, false},  // ten samples and four
        {{0, 0}, 0x3, false},
        {{kMergeBlockBytes, kMergeBlockBytes}, 0x3, false},
        {{kMergeBlockBytes + 1, 10}, 0x3, true},
        {{7}, 0x4, false},
        {{40, 60}, 0x3, false, 100},
        {{7, kMergeBlockBytes + 1, 0}, 0x7, false},
        {{1000, 2 * kMergeBlockBytes + 6, 3, 0}, 0x33, false},
        {{11, 20, 30, 40, 3 * kMergeBlockBytes - 1}, 0x37, true},
    };
    TempDir dir;
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    for (const Case& c : cases) {
        std::vector<std::string> paths, present;
        std::vector<size_t> claims;
        for (size_t k = 0; k < c.lengths.size(); ++k) {
            present.push_back(PatternBytes(c.lengths[k], static_cast<int>(k)));
            claims.push_back(k == 0 && c.nFirstClaims ? c.nFirstClaims : c.lengths[k]);
            paths.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WavBuilder wav = WavBuilder().Fmt(1, 48000, 16).Data(present[k], static_cast<std::uint32_t>(claims[k]));
            if (claims[k] == c.lengths[k])
                wav.Chunk("LIST", std::string(64, '\x7F'));  // never part of the samples
            wav.Write(paths[k]);
        }
        const size_t nLongest = *std::max_element(claims.begin(), claims.end());
        SCOPED_TRACE(testing::Message() << c.lengths.size() << " inputs, longest " << nLongest);
        merge.host.dwMask = c.dwMask;
        merge.host.bPlain = c.bPlain;
        merge.host.progress.clear();
        ASSERT_TRUE(merge.Run(paths));
        EXPECT_TRUE(merge.host.messages.empty());

        const std::string out = ReadWholeFile(dir / "out.wav");
        const std::string header = ExpectedHeader(static_cast<std::uint16_t>(c.lengths.size()), 48000,
                                                  static_cast<std::uint32_t>(nLongest), c.dwMask, c.bPlain);
        EXPECT_EQ(out.substr(0, header.size()), header);
        EXPECT_TRUE(out.substr(header.size()) == ExpectedData(present, nLongest)) << "sample data differs";
        std::vector<std::string> progress{"range " + std::to_string(nLongest / kMergeBlockBytes + 1)};
        for (size_t b = 1; b <= nLongest / kMergeBlockBytes + 1; ++b)
            progress.push_back("pos " + std::to_string(b));
        progress.push_back("pos 0");
        EXPECT_EQ(merge.host.progress, progress);
        for (size_t k = 0; k < claims.size(); ++k)
            EXPECT_EQ(merge.inputs[k]->m_dwPadBytes, nLongest - claims[k]);

        const SoundFile sound = ReadSoundFile(dir / "out.wav");
        EXPECT_EQ(sound.nFormat, (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
        EXPECT_EQ(sound.nChannels, static_cast<int>(c.lengths.size()));
        EXPECT_EQ(sound.nSampleRate, 48000);
        EXPECT_EQ(sound.nFrames, static_cast<long long>(nLongest / 2));
    }
}

// Without channels there is no format to write: refused before the output
// path is asked for.
TEST(MergeEngineTest, NoChannelsIsRefusedBeforeThePathIsChosen)
{
    TempDir dir;
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    EXPECT_FALSE(merge.Run({}));
    EXPECT_EQ(merge.host.nChooserCalls, 0);
    EXPECT_EQ(merge.host.messages, std::vector<std::string>{"Unable to process: the configuration has no channels."});
    EXPECT_TRUE(FilesIn(dir).empty());
}

}  // namespace
