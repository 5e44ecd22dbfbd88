#include "merge/mergeengine.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Progress(UINT nBlocks)
{
    std::vector<std::string> calls{"range " + std::to_string(nBlocks)};
    for (UINT b = 1; b <= nBlocks; ++b)
        calls.push_back("pos " + std::to_string(b));
    calls.push_back("pos 0");
    return calls;
}

// Block edges (0, 102400, 102401 bytes), odd lengths, padding, the
// progress calls, and every interleave: the common counts and any other.
TEST(MergeEngineTest, BlockEdgesOddLengthsAndPadding)
{
    struct Case {
        std::vector<size_t> lengths;
        DWORD dwMask;
        bool bPlain;
    };
    const Case cases[] = {
        {{20, 8}, 0x3, false},  // ten samples and four
        {{0, 0}, 0x3, false},
        {{kMergeBlockBytes, kMergeBlockBytes}, 0x3, false},
        {{kMergeBlockBytes + 1, 10}, 0x3, true},
        {{7}, 0x4, false},
        {{7, kMergeBlockBytes + 1, 0}, 0x7, false},
        {{1000, 2 * kMergeBlockBytes + 6, 3, 0}, 0x33, false},
        {{11, 20, 30, 40, kMergeBlockBytes - 1}, 0x37, true},
        {{5, 6, 7, 8, 9, 3 * kMergeBlockBytes}, 0x3F, false},
        {{8, 7, 6, 5, 4, 3, 2, kMergeBlockBytes + 2}, 0xFF, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lengths.size() << " inputs, longest "
                                        << *std::max_element(c.lengths.begin(), c.lengths.end()));
        TempDir dir;
        std::vector<std::string> paths, present;
        for (size_t k = 0; k < c.lengths.size(); ++k) {
            present.push_back(PatternBytes(c.lengths[k], static_cast<int>(k)));
            paths.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WavBuilder().Fmt(1, 48000, 16).Data(present.back()).Write(paths.back());
        }
        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        merge.host.dwMask = c.dwMask;
        merge.host.bPlain = c.bPlain;
        ASSERT_TRUE(merge.Run(paths));
        EXPECT_TRUE(merge.host.messages.empty());

        const size_t nLongest = *std::max_element(c.lengths.begin(), c.lengths.end());
        const size_t nData = c.lengths.size() * nLongest;
        const size_t nHeader = c.bPlain ? 44 : 68;
        const std::string out = ReadWholeFile(dir / "out.wav");
        ASSERT_EQ(out.size(), nHeader + nData);
        EXPECT_EQ(out.substr(4, 4), Le32(static_cast<std::uint32_t>(nHeader - 8 + nData)));
        EXPECT_EQ(out.substr(nHeader - 4, 4), Le32(static_cast<std::uint32_t>(nData)));
        EXPECT_TRUE(out.substr(nHeader) == ExpectedData(present, nLongest)) << "sample data differs";
        EXPECT_EQ(merge.host.progress, Progress(static_cast<UINT>(nLongest / kMergeBlockBytes + 1)));
        for (size_t k = 0; k < c.lengths.size(); ++k)
            EXPECT_EQ(merge.inputs[k]->m_dwPadBytes, nLongest - c.lengths[k]);

        const SoundFile sound = ReadSoundFile(dir / "out.wav");
        ASSERT_TRUE(sound.bOpened);
        EXPECT_EQ(sound.nFormat, (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
        EXPECT_EQ(sound.nChannels, static_cast<int>(c.lengths.size()));
        EXPECT_EQ(sound.nSampleRate, 48000);
        EXPECT_EQ(sound.nFrames, static_cast<long long>(nLongest / 2));
    }
}

TEST(MergeEngineTest, OnlyTheDataChunkReachesTheOutputThenSilence)
{
    TempDir dir;
    // Claims 100 bytes and holds 40; the other is followed by a LIST chunk.
    const std::string shortData = PatternBytes(40, 1);
    const std::string longData = PatternBytes(60, 2);
    const std::string truncated = WavBuilder().Fmt(1, 44100, 16).Data(PatternBytes(40, 1), 100).Bytes();
    WriteWholeFile(dir / "a.wav", truncated);
    WavBuilder().Fmt(1, 44100, 16).Data(longData).Chunk("LIST", std::string(64, '\x7F')).Write(dir / "b.wav");
    WriteWholeFile(dir / "c.wav", MonoWav({1, 2, 3}));

    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    merge.host.dwMask = 0x7;
    // The same file chosen for two rows: each reads it on its own.
    ASSERT_TRUE(merge.Run({dir / "a.wav", dir / "b.wav", dir / "b.wav"}));
    EXPECT_EQ(ReadWholeFile(dir / "out.wav").substr(68), ExpectedData({shortData, longData, longData}, 100));
}

TEST(MergeEngineTest, TheFirstFailingInputIsNamedAndNothingIsCreated)
{
    TempDir dir;
    WriteWholeFile(dir / "good.wav", MonoWav({1, 2}));
    WriteWholeFile(dir / "good48k.wav", MonoWav({1, 2}, 48000));
    WavBuilder().Fmt(2, 44100, 16).Data(Samples({1, 2})).Write(dir / "stereo.wav");
    WavBuilder().Fmt(1, 0xFFFFFFFF, 16).Data(Samples({1, 2})).Write(dir / "oddrate.wav");
    const std::vector<std::string> before = FilesIn(dir);

    struct Case {
        std::vector<std::string> inputs;
        size_t nFailing;
        const char* message;
    };
    const Case cases[] = {
        {{dir / "good.wav", dir / "stereo.wav", dir / "good.wav"}, 1,
         "Enable to process:\nFile '%s' can't be loaded."},
        {{dir / "good.wav", dir / "missing.wav"}, 1, "Enable to process:\nFile '%s' can't be loaded."},
        {{dir / "good.wav", dir / "good48k.wav", dir / "stereo.wav"}, 1,
         "Unable to process:\nFile '%s' has not the same sample rate."},
        // The first input's rate is the reference even when it reads as -1.
        {{dir / "oddrate.wav", dir / "good.wav"}, 1, "Unable to process:\nFile '%s' has not the same sample rate."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inputs[c.nFailing]);
        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        EXPECT_FALSE(merge.Run(c.inputs));
        EXPECT_EQ(merge.host.messages, std::vector<std::string>{Message(c.message, c.inputs[c.nFailing])});
        EXPECT_TRUE(merge.host.progress.empty());
        EXPECT_EQ(FilesIn(dir), before);
        for (size_t k = c.nFailing + 1; k < c.inputs.size(); ++k)
            EXPECT_EQ(merge.inputs[k]->m_nSampleRate, 0u) << "input " << k << " was opened";
    }
}

TEST(MergeEngineTest, DeclinedPathOrNoChannelsEndQuietlyOrWithOneMessage)
{
    TempDir dir;
    WriteWholeFile(dir / "a.wav", MonoWav({1, 2}));
    Merge declined;
    EXPECT_FALSE(declined.Run({dir / "a.wav", dir / "a.wav"}));
    EXPECT_EQ(declined.host.nChooserCalls, 1);
    EXPECT_TRUE(declined.host.messages.empty());
    EXPECT_TRUE(declined.host.progress.empty());
    EXPECT_EQ(declined.inputs[0]->m_nSampleRate, 0u) << "an input was opened";

    Merge empty;
    empty.host.outputPath = dir / "out.wav";
    EXPECT_FALSE(empty.Run({}));
    EXPECT_EQ(empty.host.nChooserCalls, 0);
    EXPECT_EQ(empty.host.messages, std::vector<std::string>{"Unable to process: the configuration has no channels."});
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"a.wav"});
}

#if !defined(__SANITIZE_ADDRESS__)
// Runs in a child process: merges under an address-space limit that leaves
// room for a little more than what is mapped now, far less than the
// merge's blocks and interleave buffer, and exits 0 when all went as it must.
[[noreturn]] void MergeWithLittleMemory(const std::vector<std::string>& paths, const std::string& output)
{
    Merge merge;
    merge.host.outputPath = output;
    merge.host.messages.reserve(4);
    merge.inputs.reserve(paths.size());
    merge.engine.m_aInputs.reserve(paths.size());
    long nPages = 0;
    std::ifstream("/proc/self/statm") >> nPages;
    const rlim_t limit = static_cast<rlim_t>(nPages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + 512 * 1024;
    const rlimit rl{limit, limit};
    setrlimit(RLIMIT_AS, &rl);
    const bool bMerged = merge.Run(paths);
    const bool bExpected = !bMerged && merge.host.messages.size() == 1 &&
                           merge.host.messages[0] == "Unable to process: not enough memory." &&
                           merge.host.progress.empty() && !fs::exists(output);
    std::exit(bExpected && !testing::Test::HasFailure() ? 0 : 1);
}
#endif

TEST(MergeEngineDeathTest, NotEnoughMemoryLeavesNothingBehind)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
    TempDir dir;
    WriteWholeFile(dir / "a.wav", MonoWav({1, 2}));
    EXPECT_EXIT(MergeWithLittleMemory(std::vector<std::string>(18, dir / "a.wav"), dir / "out.wav"),
                testing::ExitedWithCode(0), "");
#endif
}

TEST(MergeEngineTest, AMergeAfterAFailedOneStartsAfresh)
{
    TempDir dir;
    WriteWholeFile(dir / "a44.wav", MonoWav({1, 2, 3, 4}));
    WriteWholeFile(dir / "b48.wav", MonoWav({5, 6}, 48000));
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    EXPECT_FALSE(merge.Run({dir / "a44.wav", dir / "b48.wav"}));
    ASSERT_TRUE(merge.Run({dir / "b48.wav", dir / "b48.wav"}));
    const SoundFile sound = ReadSoundFile(dir / "out.wav");
    EXPECT_EQ(sound.nSampleRate, 48000);
    EXPECT_EQ(sound.samples, (std::vector<short>{5, 5, 6, 6}));
}

}  // namespace
