// Faults around a merge: outputs that cannot be written or vanish, inputs
// that cannot be read or change underneath. Whatever breaks, the merge ends
// with its one message, leaves no output, changes no input, holds no
// descriptor, and the next merge works.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "merge/mergeengine.h"
#include "tests/support/childprocess.h"
#include "tests/support/descriptors.h"
#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

const std::string kCantWriteData = "Unable to process: can't write output data.";
const std::string kCantWriteHeader = "Unable to process: can't write output header.";
constexpr const char* kCantBeLoaded = "Enable to process:\nFile '%s' can't be loaded.";
constexpr const char* kCantBeRead = "Unable to process:\nFile '%s' can't be read.";

using Calls = std::vector<std::string>;
const Calls kNoProgress;
const Calls kBrokenInFirstBlocks = {"range 4", "pos 1", "pos 0"};
const Calls kBrokenAfterLastBlock = {"range 4", "pos 1", "pos 2", "pos 3", "pos 4", "pos 0"};

// Points the descriptor this process holds on path at another file.
void ReplaceDescriptor(const std::string& path, const char* pszReplacement, int nOpenFlags)
{
    const int fd = DescriptorOf(path);
    const int replacement = open(pszReplacement, nOpenFlags);
    ASSERT_GE(fd, 0);
    ASSERT_GE(replacement, 0);
    dup2(replacement, fd);
    close(replacement);
}

// Two inputs in in/, of four blocks and of two; outputs go to out/. Folders
// and inputs are open to everybody, so that an unprivileged child can merge.
class MergeFaultTest : public testing::Test {
protected:
    void SetUp() override
    {
        const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
        fs::permissions(m_dir.path(), open);
        for (const char* folder : {"in", "out"}) {
            fs::create_directory(m_dir.path() / folder);
            fs::permissions(m_dir.path() / folder, open);
        }
        m_data = {PatternBytes(3 * kMergeBlockBytes + 10, 1), PatternBytes(2 * kMergeBlockBytes, 2)};
        for (size_t k = 0; k < m_data.size(); ++k) {
            WavBuilder().Fmt(1, 44100, 16).Data(m_data[k]).Write(Input(k));
            m_originals.push_back(ReadWholeFile(Input(k)));
        }
        m_nDescriptors = OpenDescriptorCount();
    }

    std::string Input(size_t k) const { return m_dir / (k == 0 ? "in/a.wav" : "in/b.wav"); }
    std::vector<std::string> Inputs() const { return {Input(0), Input(1)}; }
    std::string In(const std::string& name) const { return m_dir / ("in/" + name); }
    std::string Out(const std::string& name = "out.wav") const { return m_dir / ("out/" + name); }

    // A merge into out/out.wav that runs breakIt once its first block is written.
    bool RunBreakingAfterFirstBlock(Merge& merge, const std::vector<std::string>& inputs,
                                    const std::function<void()>& breakIt) const
    {
        merge.host.outputPath = Out();
        merge.host.onProgressPos = [&](UINT nPos) {
            if (nPos == 1)
                breakIt();
        };
        return merge.Run(inputs);
    }

    // The merge in a child, after setUp: true when it failed with exactly
    // this message and these progress calls and holds no descriptor after.
    bool FailsInChild(const std::vector<std::string>& inputs, const std::string& output, const std::string& message,
                      const Calls& progress, bool bUnprivileged, const std::function<void()>& setUp = {}) const
    {
        return RunInChild(
            [&] {
                if (setUp)
                    setUp();
                const size_t nBefore = OpenDescriptorCount();
                Merge merge;
                merge.host.outputPath = output;
                const bool bMerged = merge.Run(inputs);
                const bool bAsExpected = !bMerged && merge.host.messages == Calls{message} &&
                                         merge.host.progress == progress && OpenDescriptorCount() == nBefore &&
                                         !testing::Test::HasFailure();
                for (const std::string& shown : merge.host.messages) {
                    if (!bAsExpected)
                        std::fprintf(stderr, "the child's merge showed: %s\n", shown.c_str());
                }
                return bAsExpected;
            },
            bUnprivileged);
    }

    // What every failed merge must leave: out/ holding only what the test
    // put there, the inputs as they were, no descriptor, and a merge of
    // the same inputs that works.
    void ExpectNothingLeft(const Calls& outFolder = {}) const
    {
        if (fs::exists(m_dir.path() / "out")) {
            EXPECT_EQ(FilesIn(m_dir.path() / "out"), outFolder);
        }
        for (size_t k = 0; k < m_data.size(); ++k)
            EXPECT_TRUE(ReadWholeFile(Input(k)) == m_originals[k]) << Input(k) << " changed";
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);

        Merge next;
        next.host.outputPath = m_dir / "next.wav";
        ASSERT_TRUE(next.Run(Inputs()));
        EXPECT_TRUE(ReadWholeFile(m_dir / "next.wav").substr(68) == ExpectedData(m_data, m_data[0].size()));
        fs::remove(m_dir / "next.wav");
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
    }

    void ExpectFailed(bool bMerged, const Merge& merge, const std::string& message, const Calls& progress) const
    {
        EXPECT_FALSE(bMerged);
        EXPECT_EQ(merge.host.messages, Calls{message});
        EXPECT_EQ(merge.host.progress, progress);
    }

    TempDir m_dir;
    std::vector<std::string> m_data;
    std::vector<std::string> m_originals;
    size_t m_nDescriptors = 0;
};

TEST_F(MergeFaultTest, AWriteFailingInTheBlockLoopLeavesNoPartialOutput)
{
    {
        SCOPED_TRACE("a file-size limit that lets the header and the first block through");
        EXPECT_TRUE(FailsInChild(Inputs(), Out(), kCantWriteData, kBrokenInFirstBlocks, false, [] {
            signal(SIGXFSZ, SIG_IGN);
            const rlim_t nLimit = 68 + 2 * kMergeBlockBytes + 1000;
            const rlimit limit{nLimit, nLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }));
        ExpectNothingLeft();
    }
    {
        SCOPED_TRACE("a full disk from the second block on");
        Merge merge;
        const bool bMerged = RunBreakingAfterFirstBlock(merge, Inputs(), [&] {
            ASSERT_GT(fs::file_size(Out()), 68u);
            ReplaceDescriptor(Out(), "/dev/full", O_WRONLY);
        });
        ExpectFailed(bMerged, merge, kCantWriteData, kBrokenInFirstBlocks);
        ExpectNothingLeft();
    }
}

// A device that refuses every byte is left in place, not removed. The child
// is unprivileged, so a mistake could not remove /dev/full either.
TEST_F(MergeFaultTest, AnOutputOnAFullDeviceFailsAtTheHeaderAndStays)
{
    fs::create_symlink("/dev/full", Out("full.wav"));
    EXPECT_TRUE(FailsInChild(Inputs(), Out("full.wav"), kCantWriteHeader, kNoProgress, true));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    ExpectNothingLeft({"full.wav"});
}

// Files the reader cannot get a header from: a folder, a /proc file whose
// first read fails, a FIFO nobody writes to (which must not block), and a
// file this user may not read.
TEST_F(MergeFaultTest, AnInputThatCannotBeReadIsNamed)
{
    ASSERT_EQ(mkfifo(In("fifo.wav").c_str(), 0666), 0);
    WriteWholeFile(In("secret.wav"), m_originals[1]);
    fs::permissions(In("secret.wav"), fs::perms::none);
    struct Case {
        std::string path;
        bool bUnprivileged;
    };
    const Case cases[] = {
        {m_dir / "in", false},
        {"/proc/self/mem", false},
        {In("fifo.wav"), false},
        {In("secret.wav"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_TRUE(FailsInChild({Input(0), c.path}, Out(), Message(kCantBeLoaded, c.path), kNoProgress,
                                 c.bUnprivileged, [] { alarm(20); }));
        ExpectNothingLeft();
    }
}

TEST_F(MergeFaultTest, AnInputFailingOrShrinkingInTheBlockLoopIsNamed)
{
    {
        SCOPED_TRACE("a read error from the second block on");
        Merge merge;
        const bool bMerged = RunBreakingAfterFirstBlock(
            merge, Inputs(), [&] { ReplaceDescriptor(Input(1), "/", O_RDONLY | O_DIRECTORY); });
        ExpectFailed(bMerged, merge, Message(kCantBeRead, Input(1)), kBrokenInFirstBlocks);
        ExpectNothingLeft();
    }
    // Truncated to what was read already, or by its last sample only: both
    // would otherwise end the channel early in silence, unnoticed.
    const size_t header = m_originals[1].size() - m_data[1].size();
    for (const size_t nKept : {header + kMergeBlockBytes, m_originals[1].size() - 2}) {
        SCOPED_TRACE(testing::Message() << "truncated to " << nKept << " bytes");
        WriteWholeFile(In("shrinking.wav"), m_originals[1]);
        Merge merge;
        const bool bMerged = RunBreakingAfterFirstBlock(merge, {Input(0), In("shrinking.wav")}, [&] {
            fs::resize_file(In("shrinking.wav"), nKept);
        });
        ExpectFailed(bMerged, merge, Message(kCantBeRead, In("shrinking.wav")), kBrokenInFirstBlocks);
        EXPECT_TRUE(ReadWholeFile(In("shrinking.wav")) == m_originals[1].substr(0, nKept));
        ExpectNothingLeft();
    }
}

TEST_F(MergeFaultTest, AnOutputFolderThatIsMissingOrDisappearsFails)
{
    {
        SCOPED_TRACE("missing before the merge");
        Merge merge;
        merge.host.outputPath = m_dir / "gone/out.wav";
        const bool bMerged = merge.Run(Inputs());
        ExpectFailed(bMerged, merge, kCantWriteHeader, kNoProgress);
        ExpectNothingLeft();
    }
    {
        // The writes all succeed into a file no folder holds any more.
        SCOPED_TRACE("deleted during the merge");
        Merge merge;
        const bool bMerged = RunBreakingAfterFirstBlock(merge, Inputs(), [&] { fs::remove_all(m_dir.path() / "out"); });
        ExpectFailed(bMerged, merge, kCantWriteData, kBrokenAfterLastBlock);
        EXPECT_FALSE(fs::exists(m_dir.path() / "out"));
        ExpectNothingLeft();
    }
}

// Somebody else's file now at the output path is theirs: the merge fails
// and leaves it alone.
TEST_F(MergeFaultTest, AnOutputReplacedDuringTheMergeIsLeftToItsNewOwner)
{
    Merge merge;
    const bool bMerged = RunBreakingAfterFirstBlock(merge, Inputs(), [&] {
        fs::remove(Out());
        WriteWholeFile(Out(), "somebody else's");
    });
    ExpectFailed(bMerged, merge, kCantWriteData, kBrokenAfterLastBlock);
    EXPECT_EQ(ReadWholeFile(Out()), "somebody else's");
    ExpectNothingLeft({"out.wav"});
}

TEST_F(MergeFaultTest, AReadOnlyOutputFolderOrFileFailsAtTheHeader)
{
    {
        SCOPED_TRACE("read-only folder");
        fs::permissions(m_dir.path() / "out", fs::perms::owner_read | fs::perms::owner_exec |
                                                  fs::perms::others_read | fs::perms::others_exec);
        EXPECT_TRUE(FailsInChild(Inputs(), Out(), kCantWriteHeader, kNoProgress, true));
        fs::permissions(m_dir.path() / "out", fs::perms::owner_all);
        ExpectNothingLeft();
    }
    {
        SCOPED_TRACE("read-only output file");
        WriteWholeFile(Out(), "an older merge");
        fs::permissions(Out(), fs::perms::owner_read | fs::perms::others_read);
        fs::permissions(m_dir.path() / "out", fs::perms::all);
        EXPECT_TRUE(FailsInChild(Inputs(), Out(), kCantWriteHeader, kNoProgress, true));
        EXPECT_EQ(ReadWholeFile(Out()), "an older merge");
        ExpectNothingLeft({"out.wav"});
    }
}

// An input is held with writing denied, so no name for it can become the
// output.
TEST_F(MergeFaultTest, AnOutputThatIsAnInputByAnyNameIsRefused)
{
    fs::create_symlink(Input(0), Out("link.wav"));
    fs::create_hard_link(Input(0), Out("hard.wav"));
    for (const std::string& output : {Input(0), Out("link.wav"), Out("hard.wav")}) {
        SCOPED_TRACE(output);
        Merge merge;
        merge.host.outputPath = output;
        const bool bMerged = merge.Run({Input(1), Input(0)});
        ExpectFailed(bMerged, merge, kCantWriteHeader, kNoProgress);
        ExpectNothingLeft({"hard.wav", "link.wav"});
    }
}

}  // namespace
