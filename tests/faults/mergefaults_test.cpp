// Whatever breaks around a merge, it shows its one message, leaves the old
// output byte for byte and no temporary file beside it, changes no input,
// holds no descriptor, and the next merge works; a split that fails leaves
// the old stems so too.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "merge/splitengine.h"
#include "tests/support/descriptors.h"
#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"
#include "tests/support/restrictions.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kCantWriteData = "Unable to process: can't write output data.";
constexpr const char* kCantWriteHeader = "Unable to process: can't write output header.";
constexpr const char* kCantBeLoaded = "Enable to process:\nFile '%s' can't be loaded.";
constexpr const char* kCantBeRead = "Unable to process:\nFile '%s' can't be read.";
constexpr const char* kOtherRate = "Unable to process:\nFile '%s' has not the same sample rate.";

using Calls = std::vector<std::string>;
// in/a.wav takes four blocks: broken after the first, or found broken after the last.
const Calls kInFirstBlocks = {"range 4", "pos 1", "pos 0"};
const Calls kAfterLastBlock = {"range 4", "pos 1", "pos 2", "pos 3", "pos 4", "pos 0"};

using Hook = void (*)(const fs::path& dir);

struct Fault {
    const char* name;
    Hook prepare = nullptr;  // before the merge, with the test's own rights
    Hook during = nullptr;   // once the first block is written
    std::vector<std::string> inputs = {"in/a.wav", "in/b.wav"};  // in the test's folder, or absolute
    std::string output = "out/out.wav";
    const char* message = kCantWriteData;  // %s: the second input's path
    Calls progress = {};
    bool bAsNobody = false;  // so that permissions apply to the merge
    std::vector<std::string> left = {"out.wav"};  // what out/ holds afterwards
};

// Names the row in the test's name and in its failures.
void PrintTo(const Fault& fault, std::ostream* os)
{
    *os << fault.name;
}

// Points the descriptor this process holds on path at another file.
void ReplaceDescriptor(const fs::path& path, const char* pszReplacement, int nOpenFlags)
{
    const int fd = DescriptorOf(path);
    const int replacement = open(pszReplacement, nOpenFlags);
    ASSERT_TRUE(fd >= 0 && replacement >= 0);
    dup2(replacement, fd);
    close(replacement);
}

// The temporary file a merge writes its output into, beside the output.
fs::path TemporaryOutput(const fs::path& folder, const std::string& output = "out.wav")
{
    for (const std::string& name : FilesIn(folder))
        if (name.starts_with("." + output + "."))
            return folder / name;
    return {};
}

// An output in /dev/shm, a folder of files like any other; of this process.
const std::string kShmOutput = "/dev/shm/plexora-faults-" + std::to_string(getpid()) + ".wav";
const std::string kShmName = fs::path(kShmOutput).filename();

const Fault kFaults[] = {
    // A write failing in the block loop, and an output folder that vanishes
    // before the temporary file is renamed into it.
    {.name = "FullDiskUnderDevShm",
     .prepare = [](const fs::path&) { WriteWholeFile(kShmOutput, "the output of an earlier merge"); },
     .during = [](const fs::path&) {
         ReplaceDescriptor(TemporaryOutput("/dev/shm", kShmName), "/dev/full", O_WRONLY);
     },
     .output = kShmOutput, .progress = kInFirstBlocks},
    {.name = "OutputFolderDeleted", .during = [](const fs::path& dir) { fs::remove_all(dir / "out"); },
     .progress = kAfterLastBlock, .left = {}},
    // Outputs that cannot be created: nothing is written, nothing removed.
    {.name = "OutputFolderReadOnly",
     .prepare = [](const fs::path& dir) { fs::permissions(dir / "out", fs::perms(0555)); },
     .message = kCantWriteHeader, .bAsNobody = true},
    // Root's, which nobody may not write; without a write bit, which root may not.
    {.name = "OutputFileReadOnly",
     .prepare = [](const fs::path& dir) { fs::permissions(dir / "out/out.wav", fs::perms(0644)); },
     .message = kCantWriteHeader, .bAsNobody = true},
    {.name = "OutputFileReadOnlyToRoot",
     .prepare = [](const fs::path& dir) { fs::permissions(dir / "out/out.wav", fs::perms(0444)); },
     .message = kCantWriteHeader},
    // As nobody, so that a mistake could not remove the device.
    {.name = "OutputOnAFullDevice",
     .prepare = [](const fs::path& dir) { fs::create_symlink("/dev/full", dir / "out/full.wav"); },
     .output = "out/full.wav", .message = kCantWriteHeader, .bAsNobody = true, .left = {"full.wav", "out.wav"}},
    // No other name of an input can be the output either.
    {.name = "OutputIsASymlinkToAnInput", .output = "in/link.wav", .message = kCantWriteHeader},
    {.name = "OutputIsAHardLinkToAnInput", .output = "in/hard.wav", .message = kCantWriteHeader},
    // Inputs whose reads fail, at the header or in the block loop.
    {.name = "InputFailsToRead", .inputs = {"in/a.wav", "/proc/self/mem"}, .message = kCantBeLoaded},
    {.name = "InputReadError",
     .during = [](const fs::path& dir) { ReplaceDescriptor(dir / "in/b.wav", "/", O_RDONLY | O_DIRECTORY); },
     .message = kCantBeRead, .progress = kInFirstBlocks},
    // Truncated to what was read already, or by its last sample only, a
    // channel would otherwise end early in silence, unnoticed.
    {.name = "InputShrinksToWhatWasRead",
     .during = [](const fs::path& dir) { fs::resize_file(dir / "in/c.wav", 44 + kMergeBlockBytes); },
     .inputs = {"in/a.wav", "in/c.wav"}, .message = kCantBeRead, .progress = kInFirstBlocks},
    {.name = "InputLosesItsLastSample",
     .during = [](const fs::path& dir) { fs::resize_file(dir / "in/c.wav", 44 + 2 * kMergeBlockBytes - 2); },
     .inputs = {"in/a.wav", "in/c.wav"}, .message = kCantBeRead, .progress = kInFirstBlocks},
    // The first failing input is named, though a later one fails too; the
    // first input's rate is the reference even when it reads as -1.
    {.name = "OtherRateBeforeStereo", .inputs = {"in/a.wav", "in/48k.wav", "in/stereo.wav"}, .message = kOtherRate},
    {.name = "FirstRateReadsAsMinus1", .inputs = {"in/odd.wav", "in/a.wav"}, .message = kOtherRate},
#if !defined(__SANITIZE_ADDRESS__)  // which reserves more address space than any limit allows
    // Room for a little more than is mapped now, far less than the buffers.
    {.name = "NotEnoughMemory",
     .prepare = [](const fs::path&) {
         long nPages = 0;
         std::ifstream("/proc/self/statm") >> nPages;
         SetSoftLimit(RLIMIT_AS, static_cast<rlim_t>(nPages * sysconf(_SC_PAGESIZE) + 512 * 1024));
     },
     .inputs = std::vector<std::string>(18, "in/a.wav"), .message = "Unable to process: not enough memory."},
#endif
};

// in/a.wav of four blocks, in/b.wav of two, and more inputs for the faults
// to use or break; out/ for the outputs.
class MergeFaultTest : public testing::TestWithParam<Fault> {
protected:
    void SetUp() override
    {
        const fs::path& dir = m_dir.path();
        fs::create_directory(dir / "in");
        fs::create_directory(dir / "out");
        for (size_t k = 0; k < 2; ++k) {
            WavBuilder().Fmt(1, 44100, 16).Data(m_data[k]).Write(m_dir / m_inputs[k]);
            m_originals.push_back(ReadWholeFile(m_dir / m_inputs[k]));
        }
        fs::copy_file(dir / "in/b.wav", dir / "in/c.wav");
        fs::create_symlink(dir / "in/a.wav", dir / "in/link.wav");
        fs::create_hard_link(dir / "in/a.wav", dir / "in/hard.wav");
        WavBuilder().Fmt(1, 48000, 16).Data(Samples({1, 2})).Write(dir / "in/48k.wav");
        WavBuilder().Fmt(2, 44100, 16).Data(Samples({1, 2})).Write(dir / "in/stereo.wav");
        WavBuilder().Fmt(1, 0xFFFFFFFF, 16).Data(Samples({1, 2})).Write(dir / "in/odd.wav");
        WriteWholeFile(m_dir / "out/out.wav", kOldOutput);
        // Open to everybody, so that the user nobody can read the inputs.
        for (const fs::path& folder : {dir, dir / "in", dir / "out"})
            fs::permissions(folder, fs::perms(0755));
    }

    const std::string kOldOutput = "the output of an earlier merge";
    TempDir m_dir;
    const std::string m_inputs[2] = {"in/a.wav", "in/b.wav"};
    const std::string m_data[2] = {PatternBytes(3 * kMergeBlockBytes + 10, 1), PatternBytes(2 * kMergeBlockBytes, 2)};
    std::vector<std::string> m_originals;
};

TEST_P(MergeFaultTest, OneMessageNoOutputInputsIntactNextMergeWorks)
{
    const Fault& fault = GetParam();
    const fs::path& dir = m_dir.path();
    std::vector<std::string> inputs;
    for (const std::string& name : fault.inputs)
        inputs.push_back(dir / name);  // an absolute name stays as it is
    const size_t nDescriptors = OpenDescriptorCount();

    Merge merge;
    merge.host.outputPath = m_dir / fault.output;
    merge.host.onProgressPos = [&](UINT nPos) {
        if (nPos == 1 && fault.during)
            fault.during(dir);
    };
    bool bMerged = true;
    {
        const RestrictionScope scope;
        if (fault.prepare)
            fault.prepare(dir);
        ASSERT_TRUE(!fault.bAsNobody || ActAsNobody());
        bMerged = merge.Run(inputs);
    }
    EXPECT_FALSE(bMerged);
    EXPECT_EQ(merge.host.messages, Calls{Message(fault.message, inputs[1])});
    EXPECT_EQ(merge.host.progress, fault.progress);
    EXPECT_EQ(OpenDescriptorCount(), nDescriptors);
    if (fs::exists(dir / "out")) {
        EXPECT_EQ(FilesIn(dir / "out"), fault.left) << "a temporary file left behind";
        EXPECT_TRUE(ReadWholeFile(m_dir / "out/out.wav") == kOldOutput) << "the old output changed";
    }
    if (fault.output == kShmOutput) {
        EXPECT_TRUE(ReadWholeFile(kShmOutput) == kOldOutput) << "the old output changed";
        EXPECT_EQ(TemporaryOutput("/dev/shm", kShmName), fs::path()) << "a temporary file left";
        fs::remove(kShmOutput);
    }
    for (size_t k = 0; k < 2; ++k)
        EXPECT_TRUE(ReadWholeFile(m_dir / m_inputs[k]) == m_originals[k]) << m_inputs[k] << " changed";

    // The same engine, as the desktop program has one.
    merge.host.outputPath = m_dir / "next.wav";
    merge.host.onProgressPos = nullptr;
    ASSERT_TRUE(merge.Run({m_dir / m_inputs[0], m_dir / m_inputs[1]}));
    EXPECT_TRUE(ReadWholeFile(m_dir / "next.wav").substr(68) == ExpectedData({m_data[0], m_data[1]}, m_data[0].size()));
    EXPECT_EQ(OpenDescriptorCount(), nDescriptors);
}

INSTANTIATE_TEST_SUITE_P(Faults, MergeFaultTest, testing::ValuesIn(kFaults));

// A split's stems are put in place as one set: when the last cannot be (its
// temporary file gone), or a signal stops the split without a word, the old
// stems are back byte for byte and no new one is left.
TEST(SplitFaultTest, AStemThatCannotBePutInPlaceOrASignalLeavesTheOldStems)
{
    struct Case {
        const char* name;
        bool bSignal;  // else the last stem's temporary file goes
        SplitOutcome eOutcome;
        Calls messages;
        Calls progress;
    };
    const Case cases[] = {
        {"a stem that cannot be put in place", false, SplitOutcome::CannotWriteData,
         {"Unable to split: can't write output data."}, {"range 3", "pos 1", "pos 2", "pos 3", "pos 0"}},
        {"a signal after the first block", true, SplitOutcome::Interrupted, {}, {"range 3", "pos 1", "pos 0"}},
    };
    // Two blocks of each of three channels: three steps, the last for the
    // end of the data.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WavBuilder().FmtExtensible(3, 44100, 16, 16, 0x7, kSubtypePcm).Data(PatternBytes(6 * kMergeBlockBytes, 1))
            .Write(dir / "in.wav");
        const std::vector<CString> stems = {CString(dir / "FL.wav"), CString(dir / "FR.wav"), CString(dir / "FC.wav")};
        WriteWholeFile(dir / "FL.wav", "an earlier FL");
        WriteWholeFile(dir / "FC.wav", "an earlier FC");
        const std::vector<std::string> before = FilesIn(dir);

        TestHost host;
        host.onProgressPos = [&](UINT nPos) {
            if (nPos == 1 && c.bSignal)
                host.bInterrupted = true;
            else if (nPos == 1)
                fs::remove(TemporaryOutput(dir.path(), "FC.wav"));
        };
        CSplitEngine engine(host);
        ASSERT_TRUE(engine.ReadInput(CString(dir / "in.wav")).Succeeded());
        const SplitResult result = engine.SplitInput(stems);
        EXPECT_EQ(result.eOutcome, c.eOutcome);
        EXPECT_EQ(host.messages, c.messages);
        EXPECT_EQ(host.progress, c.progress);
        EXPECT_EQ(result.nStem, c.bSignal ? std::nullopt : std::optional<std::size_t>(2));
        EXPECT_EQ(FilesIn(dir), before) << "a temporary or a new file left behind";
        EXPECT_EQ(ReadWholeFile(dir / "FL.wav"), "an earlier FL");
        EXPECT_EQ(ReadWholeFile(dir / "FC.wav"), "an earlier FC");
    }
}

}  // namespace
