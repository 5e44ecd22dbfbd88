// The scenarios that pick channel files and merge them (merging/*.txt). Each
// test makes the files its scenario works on in a fresh folder (a settings
// file in app/ when it needs other settings than the built-in ones), runs
// the scenario there, so that its relative paths land in that folder, and
// then checks what the program left on disk: every output byte for byte
// against one composed here from the stems, and read back with libsndfile.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "layout/settings.h"
#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr size_t kBlock = 102400;  // one input's block: the progress bar counts these

class MergingScenario : public ::testing::Test {
protected:
    MergingScenario()
    {
        fs::create_directory(dir.path() / "app");
        fs::create_directory(dir.path() / "stems");
    }

    // A mono 16-bit stem of nBytes sample bytes, different from every other.
    void Stem(const std::string& name, size_t nBytes = 3000)
    {
        samples[name] = PatternBytes(nBytes, nextSeed++);
        WavBuilder().Fmt(1, kRate, 16).Data(samples[name]).Write(dir / name);
    }
    void Stems(const std::string& base, const std::vector<std::string>& suffixes, size_t nBytes = 3000)
    {
        for (const std::string& suffix : suffixes)
            Stem("stems/" + base + suffix + ".wav", nBytes);
    }

    // The built-in settings with some changes, as the program finds them at start.
    void Settings(const std::function<void(CSettings&)>& change)
    {
        CSettings settings;
        settings.LoadDefaultSettings();
        change(settings);
        ASSERT_TRUE(settings.SaveSettings((dir / "app/settings.pxr").c_str()));
    }

    // Runs merging/NAME.txt in the folder; shows the runner's report when it fails.
    void RunScenario(const std::string& name)
    {
        const std::string command = "cd '" + dir.path().string() + "' && '" PLEXORA_SCENARIO "' '" +
                                    SCENARIO_DIR "/merging/" + name + ".txt' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string report;
        char buffer[256];
        while (size_t n = fread(buffer, 1, sizeof(buffer), pipe))
            report.append(buffer, n);
        const int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << report;
    }

    // The output must be the merge of these stems, channel k from stem k.
    void ExpectMerge(const std::string& output, const std::vector<std::string>& stems, std::uint32_t dwMask,
                     bool bPlain = false)
    {
        SCOPED_TRACE(output);
        ASSERT_TRUE(fs::exists(dir.path() / output));
        std::vector<std::string> present;
        size_t nLongest = 0;
        for (const std::string& stem : stems) {
            present.push_back(samples.at(stem));
            nLongest = std::max(nLongest, present.back().size());
        }
        const std::string written = ReadWholeFile(dir / output);
        const auto nChannels = static_cast<std::uint16_t>(stems.size());
        const auto nDataBytes = static_cast<std::uint32_t>(nLongest);
        EXPECT_TRUE(written == ExpectedHeader(nChannels, kRate, nDataBytes, dwMask, bPlain) +
                                   ExpectedData(present, nLongest))
            << "the output differs from the merge of its stems (" << written.size() << " bytes)";

        const SoundFile sound = ReadSoundFile(dir / output);
        ASSERT_TRUE(sound.bOpened);
        EXPECT_EQ(sound.nFormat, (bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
        EXPECT_EQ(sound.nChannels, static_cast<int>(stems.size()));
        EXPECT_EQ(sound.nSampleRate, static_cast<int>(kRate));
        ASSERT_EQ(sound.nFrames, static_cast<long long>(nLongest / 2));
        // Frame 0 carries every stem's first sample, in row order.
        for (size_t k = 0; k < stems.size(); ++k) {
            const std::string& first = present[k];
            EXPECT_EQ(static_cast<std::uint16_t>(sound.samples[k]),
                      static_cast<std::uint8_t>(first[0]) | static_cast<std::uint8_t>(first[1]) << 8);
        }
    }

    // Every file under the folder but the settings, as relative paths.
    std::set<std::string> Files() const
    {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
            if (entry.is_regular_file() && entry.path().parent_path() != dir.path() / "app")
                files.insert(fs::relative(entry.path(), dir.path()).string());
        return files;
    }
    std::set<std::string> StemsAnd(const std::vector<std::string>& outputs) const
    {
        std::set<std::string> files(outputs.begin(), outputs.end());
        for (const auto& [name, bytes] : samples)
            files.insert(name);
        return files;
    }

    TempDir dir;
    std::map<std::string, std::string> samples;  // each stem's sample bytes
    int nextSeed = 1;
};

const std::vector<std::string> k51 = {"FL", "FR", "FC", "LF", "BL", "BR"};

std::vector<std::string> Set(const std::string& base, const std::vector<std::string>& suffixes = k51)
{
    std::vector<std::string> names;
    for (const std::string& suffix : suffixes)
        names.push_back("stems/" + base + suffix + ".wav");
    return names;
}

// The road of one merge as the README walks it, on the demo's own stems.
TEST_F(MergingScenario, TheDemoStemsMergeWithOneClickAndProcess)
{
    fs::create_directory(dir.path() / "demo");
    std::string command = "'" PLEXORA_MAKE_STEMS "' -r 44100 -s 1.5";
    for (const std::string& suffix : k51)
        command += " '" + (dir / ("demo/drums" + suffix + ".wav")) + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // The stems as libsndfile reads them give the expected channels.
    std::vector<std::string> stems;
    for (const std::string& suffix : k51) {
        const std::string name = "demo/drums" + suffix + ".wav";
        const SoundFile stem = ReadSoundFile(dir / name);
        ASSERT_EQ(stem.nChannels, 1);
        samples[name] = Samples(stem.samples);
        stems.push_back(name);
    }
    ASSERT_GT(samples[stems[0]].size(), kBlock);

    RunScenario("road");
    ExpectMerge("demo/drumssurround 5.1.wav", stems, 0x3F);
    const SoundFile sound = ReadSoundFile(dir / "demo/drumssurround 5.1.wav");
    EXPECT_EQ(sound.channelMap,
              (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER, SF_CHANNEL_MAP_LFE,
                                SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}));
}

TEST_F(MergingScenario, SiblingsFillTheOtherRowsAndMissingOnesAreReportedInRowOrder)
{
    Stems("take", k51);
    Stems("drums", {"FL", "FR", "FC", "BL"});
    Stems("bass", k51, 5000);
    RunScenario("siblings");
    ExpectMerge("stems/drumssurround 5.1.wav",
                {"stems/drumsFL.wav", "stems/drumsFR.wav", "stems/drumsFC.wav", "stems/takeLF.wav",
                 "stems/drumsBL.wav", "stems/takeBR.wav"},
                0x3F);
    ExpectMerge("stems/basssurround 5.1.wav", Set("bass"), 0x3F);
    EXPECT_EQ(Files(), StemsAnd({"stems/drumssurround 5.1.wav", "stems/basssurround 5.1.wav"}));
}

TEST_F(MergingScenario, SiblingNamesFollowTheChosenNameByLength)
{
    Stem("stems/take2.wav");
    Stems("take2", {"FL", "FC", "LF", "BL", "BR"});
    Stem("stems/drumsfl.wav");
    Stem("stems/drumsFL.wave");
    Stems("drumsFL.", {"FR", "FC", "LF", "BL", "BR"});
    RunScenario("sibling-names");
    ExpectMerge("stems/take2surround 5.1.wav",
                {"stems/take2FL.wav", "stems/take2.wav", "stems/take2FC.wav", "stems/take2LF.wav",
                 "stems/take2BL.wav", "stems/take2BR.wav"},
                0x3F);
    std::vector<std::string> wave = Set("drumsFL.", {"FR", "FC", "LF", "BL", "BR"});
    wave.insert(wave.begin(), "stems/drumsFL.wave");
    ExpectMerge("stems/drumsFL.surround 5.1.wav", wave, 0x3F);
    EXPECT_EQ(Files(), StemsAnd({"stems/take2surround 5.1.wav", "stems/drumsFL.surround 5.1.wav"}));
}

TEST_F(MergingScenario, EmptySuffixesForTheClickedAndForAnotherPosition)
{
    Settings([](CSettings& settings) {
        settings.m_strSuffixes[0] = "_L";
        settings.m_strSuffixes[1] = "";
    });
    Stem("stems/voice_L.wav");
    Stem("stems/voice.wav");
    Stems("voice", {"FC", "LF", "BL", "BR"});
    Stem("stems/padFR.wav");
    Stem("stems/padFR_L.wav");
    RunScenario("empty-suffixes");
    std::vector<std::string> voice = Set("voice", {"_L", "", "FC", "LF", "BL", "BR"});
    ExpectMerge("stems/voicesurround 5.1.wav", voice, 0x3F);
    voice[0] = "stems/padFR_L.wav";
    voice[1] = "stems/padFR.wav";
    ExpectMerge("stems/padFRsurround 5.1.wav", voice, 0x3F);
}

TEST_F(MergingScenario, AOneRowConfigurationTriesNoSibling)
{
    Settings([](CSettings& settings) {
        auto center = std::make_unique<CConfiguration>();
        center->m_strName = "center";
        center->m_dwChannelMask = 0x4;
        settings.m_aConfigurations.push_back(std::move(center));
        settings.m_nDefaultConfiguration = 5;
    });
    Stems("drums", {"FC"});
    RunScenario("one-row");
    ExpectMerge("stems/drumscenter.wav", {"stems/drumsFC.wav"}, 0x4);
}

TEST_F(MergingScenario, WithoutAutoLoadingEachRowIsPickedAndEmptyRowsAreNamed)
{
    Settings([](CSettings& settings) { settings.m_bAutoLoading = false; });
    Stems("drums", {"FL", "FR", "FC", "BL", "BR"});
    Stems("drums", {"LF"}, kBlock + 2);
    RunScenario("manual-rows");
    ExpectMerge("stems/drumssurround 5.1.wav", Set("drums"), 0x3F);
    EXPECT_EQ(Files(), StemsAnd({"stems/drumssurround 5.1.wav"}));
}

TEST_F(MergingScenario, AutomaticNamesAndASecondMergeReplacingTheFirst)
{
    Settings([](CSettings& settings) { settings.m_bAutoLoading = false; });
    Stems("drums", {"FL", "FC", "LF", "BL", "BR"});
    Stems("drums", {"FR"}, kBlock + 1000);
    for (const char* name : {"stems/drums_FL.wav", "stems/take1.wav", "stems/drumsfl.wav", "stems/kickFL.wave",
                             "stems/shortFR.wav"})
        Stem(name);
    RunScenario("naming");
    std::vector<std::string> rows = Set("drums");
    const std::pair<const char*, const char*> firstRowAndOutput[] = {
        {"stems/drumsFL.wav", "stems/drumssurround 5.1.wav"},
        {"stems/drums_FL.wav", "stems/drums_surround 5.1.wav"},
        {"stems/take1.wav", "stems/take1surround 5.1.wav"},
        {"stems/drumsfl.wav", "stems/drumsflsurround 5.1.wav"},
        {"stems/kickFL.wave", "stems/kickFL.surround 5.1.wav"},
    };
    std::vector<std::string> outputs = {"stems/drumsstereo.wav"};
    for (const auto& [first, output] : firstRowAndOutput) {
        rows[0] = first;
        ExpectMerge(output, rows, 0x3F);
        outputs.push_back(output);
    }
    // Replaced, not appended to: one block where the first merge wrote two.
    ExpectMerge("stems/drumsstereo.wav", {"stems/drumsFL.wav", "stems/shortFR.wav"}, 0x3);
    EXPECT_EQ(Files(), StemsAnd(outputs));
}

TEST_F(MergingScenario, TheSaveDialogChoosesTheOutputOrCancelsTheMerge)
{
    Settings([](CSettings& settings) {
        settings.m_bAutoExport = false;
        settings.m_bNoExtensible = true;
    });
    Stems("drums", k51, kBlock + 10);
    fs::create_directory(dir.path() / "mix");
    const std::string input = ReadWholeFile(dir / "stems/drumsFR.wav");
    RunScenario("save-dialog");
    EXPECT_EQ(ReadWholeFile(dir / "stems/drumsFR.wav"), input) << "an input named as the output";
    ExpectMerge("mix/drums 5.1.wav", Set("drums"), 0x3F, true);
    EXPECT_EQ(Files(), StemsAnd({"mix/drums 5.1.wav"}));
}

TEST_F(MergingScenario, FailedMergesSayWhyAndWriteNothing)
{
    Settings([](CSettings& settings) {
        settings.m_bAutoLoading = false;
        auto none = std::make_unique<CConfiguration>();
        none->m_strName = "none";
        settings.m_aConfigurations.push_back(std::move(none));
    });
    Stems("drums", {"FL", "FR", "LF", "BL", "BR"});
    WavBuilder().Fmt(2, kRate, 16).Data(PatternBytes(400, 1)).Write(dir / "stems/stereo.wav");
    WavBuilder().Fmt(1, kRate, 8).Data(PatternBytes(200, 2)).Write(dir / "stems/eightbit.wav");
    WriteWholeFile(dir / "stems/notwave.wav", "not a wave file\n");
    WavBuilder().Fmt(1, 48000, 16).Data(PatternBytes(400, 3)).Write(dir / "stems/rate48.wav");
    RunScenario("merge-failures");
    EXPECT_EQ(Files(), StemsAnd({"stems/stereo.wav", "stems/eightbit.wav", "stems/notwave.wav",
                                 "stems/rate48.wav"}));
}

// Files dropped on a row, on the window, from two folders, fitting no row,
// with automatic loading off, and named on the command line.
TEST_F(MergingScenario, DroppedFilesGoToTheirRows)
{
    Stems("drums", k51);
    fs::create_directory(dir.path() / "other");
    Stem("other/bassFR.wav");
    Stem("other/bassBL.wav");
    WriteWholeFile(dir / "notes.txt", "not a stem");
    RunScenario("drops");
    ExpectMerge("stems/drumsBLstereo.wav", {"stems/drumsBL.wav", "stems/drumsFR.wav"}, 0x3);
}

}  // namespace
