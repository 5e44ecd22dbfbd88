#include "merge/mergeengine.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

class TestHost : public IMergeHost {
public:
    bool ChooseOutputPath(CString& strOutputPath) override
    {
        ++nChooserCalls;
        if (!outputPath)
            return false;
        strOutputPath = CString(*outputPath);
        return true;
    }
    DWORD GetChannelMask() override { return dwMask; }
    bool GetNoExtensible() override { return bPlain; }
    void ShowMessage(const char* pszText) override { messages.emplace_back(pszText); }
    void SetProgressRange(UINT nUpper) override { progress.push_back("range " + std::to_string(nUpper)); }
    void SetProgressPos(UINT nPos) override
    {
        progress.push_back("pos " + std::to_string(nPos));
        if (onProgressPos)
            onProgressPos(nPos);
    }

    std::optional<std::string> outputPath;  // none: the user declines
    DWORD dwMask = 0x3;
    bool bPlain = false;
    int nChooserCalls = 0;
    std::vector<std::string> messages;
    std::vector<std::string> progress;
    std::function<void(UINT)> onProgressPos;
};

// One merge as a caller runs it: records created, listed, merged, and
// checked to be closed and released whatever the outcome.
struct Merge {
    TestHost host;
    CMergeEngine engine{host};
    std::vector<std::unique_ptr<CInputWave>> inputs;

    bool Run(const std::vector<std::string>& paths)
    {
        inputs.clear();
        engine.m_aInputs.clear();
        for (const std::string& path : paths) {
            inputs.push_back(std::make_unique<CInputWave>());
            inputs.back()->m_strPath = CString(path);
            engine.m_aInputs.push_back(inputs.back().get());
        }
        const bool bMerged = engine.MergeInputs();
        for (const auto& input : inputs) {
            EXPECT_FALSE(input->m_file.IsOpen()) << input->m_strPath.str();
            EXPECT_EQ(input->m_pBlock, nullptr);
        }
        EXPECT_EQ(engine.m_pInterleaved, nullptr);
        EXPECT_FALSE(engine.m_fileOutput.IsOpen());
        return bMerged;
    }
};

std::string Message(const char* pszFormat, const std::string& path)
{
    CString text;
    text.Format(pszFormat, path.c_str());
    return text.str();
}

std::vector<std::string> Progress(UINT nBlocks)
{
    std::vector<std::string> calls{"range " + std::to_string(nBlocks)};
    for (UINT b = 1; b <= nBlocks; ++b)
        calls.push_back("pos " + std::to_string(b));
    calls.push_back("pos 0");
    return calls;
}

// The descriptor this process holds on a file, to break it mid-merge.
int DescriptorOf(const std::string& path)
{
    const fs::path target = fs::canonical(path);
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (fs::read_symlink(entry.path(), ec) == target)
            return std::stoi(entry.path().filename().string());
    }
    return -1;
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

// An input is held with writing denied, so no name for it can become the
// output; the input survives byte for byte.
TEST(MergeEngineTest, OutputNamingAnInputIsRefusedAtTheHeader)
{
    TempDir dir;
    const std::string original = MonoWav({5, 6, 7});
    WriteWholeFile(dir / "a.wav", original);
    WriteWholeFile(dir / "b.wav", MonoWav({1}));
    fs::create_symlink(dir / "a.wav", dir / "link.wav");
    fs::create_hard_link(dir / "a.wav", dir / "hard.wav");
    for (const char* name : {"a.wav", "link.wav", "hard.wav", "missing/out.wav"}) {
        SCOPED_TRACE(name);
        Merge merge;
        merge.host.outputPath = dir / name;
        EXPECT_FALSE(merge.Run({dir / "b.wav", dir / "a.wav"}));
        EXPECT_EQ(merge.host.messages, std::vector<std::string>{"Unable to process: can't write output header."});
        EXPECT_TRUE(merge.host.progress.empty());
        EXPECT_EQ(ReadWholeFile(dir / "a.wav"), original);
        EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.wav", "b.wav", "hard.wav", "link.wav"}));
    }
}

// A read or write that fails inside the block loop ends the merge with its
// message and removes the partial output.
TEST(MergeEngineTest, ReadAndWriteErrorsLeaveNoPartialOutput)
{
    TempDir dir;
    const std::string data = PatternBytes(3 * kMergeBlockBytes, 3);
    WavBuilder().Fmt(1, 44100, 16).Data(data).Write(dir / "a.wav");
    WavBuilder().Fmt(1, 44100, 16).Data(data).Write(dir / "b.wav");
    struct Case {
        const char* broken;  // whose descriptor turns bad after the first block
        const char* replacement;
        int nOpenFlags;
        std::string message;
    };
    const Case cases[] = {
        {"b.wav", "/", O_RDONLY | O_DIRECTORY, Message("Unable to process:\nFile '%s' can't be read.", dir / "b.wav")},
        {"out.wav", "/dev/full", O_WRONLY, "Unable to process: can't write output data."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.broken);
        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        merge.host.onProgressPos = [&](UINT nPos) {
            if (nPos != 1)
                return;
            const int fd = DescriptorOf(dir / c.broken);
            const int bad = open(c.replacement, c.nOpenFlags);
            ASSERT_GE(fd, 0);
            ASSERT_GE(bad, 0);
            dup2(bad, fd);
            close(bad);
        };
        EXPECT_FALSE(merge.Run({dir / "a.wav", dir / "b.wav"}));
        EXPECT_EQ(merge.host.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(merge.host.progress, (std::vector<std::string>{"range 4", "pos 1", "pos 0"}));
        EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.wav", "b.wav"}));
    }
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
