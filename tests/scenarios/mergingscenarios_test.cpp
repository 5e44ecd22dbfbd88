// The scenarios that pick channel files and merge them (merging/*.txt), each
// run in a fresh folder of the files it works on. Afterwards every output is
// checked byte for byte against the merge of its stems and read back with
// libsndfile, every file made here is as it was, and no other file appeared.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "layout/settings.h"
#include "tests/support/commandoutput.h"
#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr size_t kBlock = 102400;  // one input's block: the progress bar counts these

const std::vector<std::string> k51 = {"FL", "FR", "FC", "LF", "BL", "BR"};

std::vector<std::string> Set(const std::string& base, const std::vector<std::string>& suffixes = k51)
{
    std::vector<std::string> names;
    for (const std::string& suffix : suffixes)
        names.push_back("stems/" + base + suffix + ".wav");
    return names;
}

// The samples and rate of a stem, and so of the merge of such stems.
struct StemFormat {
    SampleLayout samples;
    std::uint32_t nRate = kRate;
};

// An output the scenario must write: the merge of these stems, channel k from stem k.
struct Output {
    std::string path;
    std::vector<std::string> stems;
    std::uint32_t dwMask = 0x3F;
    bool bPlain = false;
    StemFormat format = {};
};

class MergingScenario : public ::testing::Test {
protected:
    MergingScenario()
    {
        fs::create_directory(dir.path() / "app");
        fs::create_directory(dir.path() / "stems");
    }

    // A file the scenario works on; a stem is mono, 16-bit unless said otherwise.
    void File(const std::string& name, const std::string& bytes)
    {
        files[name] = bytes;
        WriteWholeFile(dir / name, bytes);
    }
    void Stem(const std::string& name, size_t nBytes = 3000, StemFormat format = {})
    {
        samples[name] = PatternBytes(nBytes, nextSeed++);
        const std::uint16_t nTag = format.samples.bFloat ? 3 : 1;
        File(name, WavBuilder().FmtTag(nTag, 1, format.nRate, format.samples.nBits).Data(samples[name]).Bytes());
    }
    void Stems(const std::string& base, const std::vector<std::string>& suffixes, size_t nBytes = 3000,
               StemFormat format = {})
    {
        for (const std::string& name : Set(base, suffixes))
            Stem(name, nBytes, format);
    }

    // The built-in settings with some changes, as the program finds them at start.
    void Settings(const std::function<void(CSettings&)>& change)
    {
        CSettings settings;
        settings.LoadDefaultSettings();
        change(settings);
        ASSERT_TRUE(settings.SaveSettings((dir / "app/settings.pxr").c_str()));
    }

    // Runs merging/NAME.txt in the folder, then checks what it left there.
    void RunScenario(const std::string& name, const std::vector<Output>& outputs)
    {
        const std::string command = "cd '" + dir.path().string() + "' && '" PLEXORA_SCENARIO "' '" +
                                    SCENARIO_DIR "/merging/" + name + ".txt' 2>&1";
        std::string report;
        const int status = RunCommand(command, report);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
        ExpectFiles(outputs);
    }

    void ExpectFiles(const std::vector<Output>& outputs)
    {
        std::set<std::string> expected, found;
        for (const auto& [file, bytes] : files) {
            expected.insert(file);
            EXPECT_TRUE(ReadWholeFile(dir / file) == bytes) << file << " changed";
        }
        for (const Output& output : outputs) {
            ExpectMerge(output);
            expected.insert(output.path);
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            if (entry.is_regular_file() && entry.path().parent_path() != dir.path() / "app")
                found.insert(fs::relative(entry.path(), dir.path()).string());
        EXPECT_EQ(found, expected);
    }

    void ExpectMerge(const Output& output)
    {
        SCOPED_TRACE(output.path);
        std::vector<std::string> present;
        size_t nLongest = 0;
        for (const std::string& stem : output.stems) {
            present.push_back(samples.at(stem));
            nLongest = std::max(nLongest, present.back().size());
        }
        const std::string written = ReadWholeFile(dir / output.path);
        const auto nChannels = static_cast<std::uint16_t>(present.size());
        const SampleLayout& layout = output.format.samples;
        const std::string data = ExpectedData(present, nLongest, layout.nBits / 8u);
        EXPECT_TRUE(written == ExpectedHeader(nChannels, output.format.nRate, static_cast<std::uint32_t>(nLongest),
                                              output.dwMask, output.bPlain, layout) +
                                   data)
            << "the output differs from the merge of its stems (" << written.size() << " bytes)";

        // libsndfile finds the format and rate, and each stem in its channel, padded with silence.
        const SoundFile sound = ReadSoundFile(dir / output.path);
        const int nEncoding = layout.bFloat ? SF_FORMAT_FLOAT : layout.nBits == 24 ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16;
        EXPECT_EQ(sound.nFormat, (output.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | nEncoding);
        EXPECT_EQ(sound.nSampleRate, static_cast<int>(output.format.nRate));
        for (std::string& stem : present)
            stem.resize(nLongest, '\0');
        EXPECT_TRUE(ReadSoundChannels(dir / output.path) == present) << "libsndfile reads other samples";
    }

    TempDir dir;
    std::map<std::string, std::string> files;    // each file made here, with its bytes
    std::map<std::string, std::string> samples;  // each stem's sample bytes
    int nextSeed = 1;
};

TEST_F(MergingScenario, SiblingsFollowTheChosenNameAndMissingOnesEmptyTheirRowsInOneMessage)
{
    Stems("take", k51);
    Stems("drums", {"FL", "FR", "FC", "BL"});
    Stem("stems/drums_sub.wav");
    Stem("stems/drums_rear.wav");
    fs::create_directory(dir.path() / "other");
    Stem("other/voxFL.wav");
    Stems("bass", k51, 5000);
    Stem("stems/take2.wav");
    Stems("take2", {"FL", "FC", "LF", "BL", "BR"});
    Stem("stems/drumsfl.wav");
    Stem("stems/drumsFL.wave");
    Stems("drumsFL.", {"FR", "FC", "LF", "BL", "BR"});
    std::vector<std::string> wave = Set("drumsFL.", {"FR", "FC", "LF", "BL", "BR"});
    wave.insert(wave.begin(), "stems/drumsFL.wave");
    RunScenario("siblings", {{"stems/drumssurround 5.1.wav",
                              {"stems/drumsFL.wav", "stems/drumsFR.wav", "stems/drumsFC.wav", "stems/drums_sub.wav",
                               "stems/drumsBL.wav", "stems/drums_rear.wav"}},
                             {"stems/basssurround 5.1.wav", Set("bass")},
                             {"stems/take2surround 5.1.wav",
                              {"stems/take2FL.wav", "stems/take2.wav", "stems/take2FC.wav", "stems/take2LF.wav",
                               "stems/take2BL.wav", "stems/take2BR.wav"}},
                             {"stems/drumsFL.surround 5.1.wav", wave}});
}

// 24-bit and float sets merge as plexora-merge merges them; a mix of
// formats is refused (merging/formats.txt).
TEST_F(MergingScenario, TwentyFourBitAndFloatStemsMergeAndEachRowTellsItsFormat)
{
    const StemFormat deep = {{24, 24, false}, 48000};
    const StemFormat air = {{32, 32, true}, 48000};
    Stems("deep", k51, 3000, deep);
    Stems("air", k51, 4000, air);
    Stems("mixed", {"FL", "FR", "FC", "BL", "BR"}, 3000, deep);
    Stem("stems/mixedLF.wav", 3000, {{}, 48000});
    Stem("stems/clockFL.wav", 2 * 3725, {{}, 1});
    Stem("stems/clockFR.wav", 2 * 6159, {{}, 100});
    RunScenario("formats", {{"stems/deepsurround 5.1.wav", Set("deep"), 0x3F, false, deep},
                            {"stems/airsurround 5.1.wav", Set("air"), 0x3F, false, air}});
}

TEST_F(MergingScenario, EmptySuffixesForTheClickedAndForAnotherPositionAndAOneRowConfiguration)
{
    Settings([](CSettings& settings) {
        settings.m_strSuffixes[0] = "_L";
        settings.m_strSuffixes[1] = "";
        settings.AddConfiguration("center", 0x4);
    });
    Stems("drums", {"FC"});
    Stem("stems/voice_L.wav");
    Stem("stems/voice.wav");
    Stems("voice", {"FC", "LF", "BL", "BR"});
    Stem("stems/padFR.wav");
    Stem("stems/padFR_L.wav");
    Stems("padFR", {"FC", "LF", "BL", "BR"});
    std::vector<std::string> voice = Set("voice", {"_L", "", "FC", "LF", "BL", "BR"});
    std::vector<std::string> pad = Set("padFR", {"_L", "", "FC", "LF", "BL", "BR"});
    RunScenario("empty-suffixes", {{"stems/voicesurround 5.1.wav", voice},
                                   {"stems/padFRsurround 5.1.wav", pad},
                                   {"stems/drumscenter.wav", {"stems/drumsFC.wav"}, 0x4}});
}

TEST_F(MergingScenario, WithoutAutoLoadingRowByRowFailuresSayWhyAndOutputsAreNamedAfterRow0)
{
    Settings([](CSettings& settings) {
        settings.m_bAutoLoading = false;
        settings.AddConfiguration("none", 0);
    });
    Stems("drums", {"FL", "FC", "LF", "BL", "BR"});
    Stems("drums", {"FR"}, kBlock + 1000);
    File("stems/stereo.wav", WavBuilder().Fmt(2, kRate, 16).Data(PatternBytes(400, 1)).Bytes());
    File("stems/eightbit.wav", WavBuilder().Fmt(1, kRate, 8).Data(PatternBytes(200, 2)).Bytes());
    File("stems/notwave.wav", "not a wave file\n");
    File("stems/rate48.wav", WavBuilder().Fmt(1, 48000, 16).Data(PatternBytes(400, 3)).Bytes());
    for (const char* name : {"stems/drums_FL.wav", "stems/take1.wav", "stems/drumsfl.wav", "stems/kickFL.wave"})
        Stem(name);
    samples["stems/shortFR.wav"] = PatternBytes(3000, nextSeed++);  // with the placeholder size of a pipe
    File("stems/shortFR.wav", WavBuilder().Fmt(1, kRate, 16).Data(samples["stems/shortFR.wav"], 0x7FFFF000).Bytes());
    // Replaced, not appended to: one block where the first merge wrote two.
    std::vector<Output> outputs = {{"stems/drumsstereo.wav", {"stems/drumsFL.wav", "stems/shortFR.wav"}, 0x3}};
    const std::pair<const char*, const char*> firstRowAndOutput[] = {
        {"stems/drumsFL.wav", "stems/drumssurround 5.1.wav"},
        {"stems/drums_FL.wav", "stems/drums_surround 5.1.wav"},
        {"stems/take1.wav", "stems/take1surround 5.1.wav"},
        {"stems/drumsfl.wav", "stems/drumsflsurround 5.1.wav"},
        {"stems/kickFL.wave", "stems/kickFL.surround 5.1.wav"},
    };
    for (const auto& [first, output] : firstRowAndOutput) {
        outputs.push_back({output, Set("drums")});
        outputs.back().stems[0] = first;
    }
    RunScenario("manual-rows", outputs);
}

// Sets named by a separator and channel tags: one picked by its Front Left
// file, one dropped whole on the window, and one with two files for Low
// Frequency.
TEST_F(MergingScenario, StemsNamedByChannelTagsArePickedAndDroppedAsSets)
{
    Stems("mix.", {"L", "R", "C", "Lfe", "Ls", "Rs"});
    Stems("take_", {"L", "R", "C", "lfe", "LS", "RS"});
    Stems("two-", {"L", "R", "C", "LFE", "lf", "Ls", "Rs"});
    RunScenario("tags", {{"stems/mix.surround 5.1.wav", Set("mix.", {"L", "R", "C", "Lfe", "Ls", "Rs"})},
                         {"stems/take_surround 5.1.wav", Set("take_", {"L", "R", "C", "lfe", "LS", "RS"})}});
}

// Files dropped on a row and on the window, and named on the command line;
// with auto export off, the save dialog chooses the output or cancels.
TEST_F(MergingScenario, DroppedFilesGoToTheirRowsAndTheSaveDialogChoosesTheOutput)
{
    Stem("stems/drumsFL.wav", 2 * kBlock + 10);
    Stems("drums", {"FR", "FC", "LF", "BL", "BR"}, kBlock + 10);
    fs::create_directory(dir.path() / "other");
    fs::create_directory(dir.path() / "mix");
    Stem("other/bassFR.wav");
    Stem("other/bassBL.wav");
    Stem("notes.txt");  // fits no row, whatever it holds
    RunScenario("drops", {{"stems/drumsBLstereo.wav", {"stems/drumsBL.wav", "stems/drumsFR.wav"}, 0x3},
                          {"mix/drums 5.1.wav", Set("drums"), 0x3F, true}});
}

// SIGTERM once the output is a third written: the earlier output stays, no
// temporary file is left and the settings are saved.
TEST_F(MergingScenario, SigtermHalfWayStopsTheMergeAndClosesTheProgramAsItsCloseBox)
{
    constexpr size_t kStemBytes = 8 * 1024 * 1024;
    Stems("long", k51, kStemBytes);
    File("stems/longsurround 5.1.wav", "the output of an earlier merge");
    auto writtenAside = [this] {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir.path() / "stems", ec))
            if (entry.path().filename().string().starts_with(".longsurround 5.1.wav."))
                return entry.file_size(ec);
        return std::uintmax_t{0};
    };
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.path().c_str()) == 0)
            execl(PLEXORA_SCENARIO, PLEXORA_SCENARIO, SCENARIO_DIR "/merging/interrupted.txt", nullptr);
        _exit(127);
    }
    while (writtenAside() < 6 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
        std::this_thread::yield();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the scenario did not end as its script says";
    ExpectFiles({});
    EXPECT_TRUE(fs::exists(dir.path() / "app/settings.pxr")) << "the settings were not saved";
}

}  // namespace
