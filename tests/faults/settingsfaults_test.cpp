// Faults while the settings file is saved at exit: a file or folder that
// cannot be written, a write that fails half way, a process that dies half
// way. The old file must survive whole, nothing else may be left but a
// temporary file of a process that died, no descriptor may be held, and
// the next load and save must work.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "layout/settings.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/childprocess.h"
#include "tests/support/descriptors.h"
#include "tests/support/mergecheck.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldFile = Lines({"[Options]", "auto export = 1", "[Configurations]", "number of configurations = 1",
                                    "default configuration = 0", "configuration #0 = mine", "channel mask #0 = 7"});

// Far larger than one write buffer, so a limit can stop it half way.
CSettings NewSettings()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    for (int i = 0; i < 3000; ++i) {
        settings.m_aConfigurations.push_back(std::make_unique<CConfiguration>());
        settings.m_aConfigurations.back()->m_strName.Format("layout %d", i);
    }
    return settings;
}

// Lets files grow to a little more than one write buffer only.
void LimitFileSize()
{
    const rlimit limit{6000, 6000};
    setrlimit(RLIMIT_FSIZE, &limit);
}

// app/settings.pxr holds the old settings; app/ and the file are open to
// everybody until a test narrows them.
class SettingsFaultTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        fs::create_directory(m_dir.path() / "app");
        fs::permissions(m_dir.path() / "app", fs::perms::all);
        WriteWholeFile(Settings(), kOldFile);
        fs::permissions(Settings(), fs::perms::all);
        m_nDescriptors = OpenDescriptorCount();
    }

    std::string Settings() const { return m_dir / "app/settings.pxr"; }
    fs::path Folder() const { return m_dir.path() / "app"; }

    // The save in a child, after setUp: true when it reported failure and
    // held no descriptor afterwards.
    bool SaveFailsInChild(bool bUnprivileged, const std::function<void()>& setUp = {}) const
    {
        return RunInChild(
            [&] {
                if (setUp)
                    setUp();
                const CSettings settings = NewSettings();
                const size_t nBefore = OpenDescriptorCount();
                return !settings.SaveSettings(Settings().c_str()) && OpenDescriptorCount() == nBefore;
            },
            bUnprivileged);
    }

    // The old file whole and the folder as the test left it; then a load
    // that reads the old settings and a save that works.
    void ExpectOldFileKept(const std::vector<std::string>& folder = {"settings.pxr"}) const
    {
        EXPECT_EQ(ReadWholeFile(Settings()), kOldFile);
        EXPECT_EQ(FilesIn(Folder()), folder);
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);

        CSettings loaded;
        ASSERT_TRUE(loaded.LoadSettings(Settings().c_str()));
        EXPECT_EQ(ConfigurationsOf(loaded), (Configurations{{"mine", 7}}));
        fs::permissions(Folder(), fs::perms::all);
        fs::permissions(Settings(), fs::perms::all);
        const CSettings saved = NewSettings();
        ASSERT_TRUE(saved.SaveSettings(Settings().c_str()));
        EXPECT_EQ(FilesIn(Folder()), std::vector<std::string>{"settings.pxr"});
        EXPECT_EQ(Load(ReadWholeFile(Settings())).m_aConfigurations.size(), saved.m_aConfigurations.size());
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
    }

    TempDir m_dir;
    size_t m_nDescriptors = 0;
};

TEST_F(SettingsFaultTest, AReadOnlyFileIsNotReplaced)
{
    fs::permissions(Settings(), fs::perms::owner_read | fs::perms::others_read);
    EXPECT_TRUE(SaveFailsInChild(true));
    ExpectOldFileKept();
}

TEST_F(SettingsFaultTest, AFolderThatTakesNoFileAndHasNoneFails)
{
    fs::remove(Settings());
    fs::permissions(Folder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                  fs::perms::others_exec);
    EXPECT_TRUE(SaveFailsInChild(true));
    EXPECT_TRUE(FilesIn(Folder()).empty());
}

TEST_F(SettingsFaultTest, AMissingFolderOrAFolderInPlaceOfTheFileFails)
{
    CSettings settings = NewSettings();
    EXPECT_FALSE(settings.SaveSettings((m_dir / "gone/settings.pxr").c_str()));
    fs::create_directory(Folder() / "settings.pxr.d");
    EXPECT_FALSE(settings.SaveSettings((Folder() / "settings.pxr.d").c_str()));
    fs::remove(Folder() / "settings.pxr.d");
    ExpectOldFileKept();
}

TEST_F(SettingsFaultTest, AWriteFailingHalfWayKeepsTheOldFile)
{
    EXPECT_TRUE(SaveFailsInChild(false, [] {
        signal(SIGXFSZ, SIG_IGN);
        LimitFileSize();
    }));
    ExpectOldFileKept();
}

// A folder that takes no new file is written in place, where a failure
// cannot keep the old file; it still reports the failure.
TEST_F(SettingsFaultTest, AWriteFailingInPlaceIsReported)
{
    fs::permissions(Folder(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                  fs::perms::others_exec);
    EXPECT_TRUE(SaveFailsInChild(true, [] {
        signal(SIGXFSZ, SIG_IGN);
        LimitFileSize();
    }));
    EXPECT_LT(fs::file_size(Settings()), 6001u);
    EXPECT_EQ(FilesIn(Folder()), std::vector<std::string>{"settings.pxr"});
}

// Killed by the file-size limit in the middle of its writes: the old file is
// whole, the half-written temporary file the only trace, and the next save
// takes its place.
TEST_F(SettingsFaultTest, AProcessDyingHalfWayKeepsTheOldFile)
{
    const int nSignal = SignalThatEndedChild([&] {
        LimitFileSize();
        NewSettings().SaveSettings(Settings().c_str());
    });
    EXPECT_EQ(nSignal, SIGXFSZ);
    EXPECT_EQ(fs::file_size(Settings() + ".tmp"), 6000u);
    ExpectOldFileKept({"settings.pxr", "settings.pxr.tmp"});
}

}  // namespace
