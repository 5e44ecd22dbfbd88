// Faults while the settings file is saved at exit: a file that may not be
// written, a write that fails half way, a process that dies half way. The save reports the failure, the old file survives whole, nothing
// is left but a dead process's temporary file, no descriptor is held, and
// the next save works.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "layout/settings.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/childprocess.h"
#include "tests/support/descriptors.h"
#include "tests/support/mergecheck.h"
#include "tests/support/restrictions.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldFile = Lines({"[Options]", "auto export = 1", "[Configurations]", "number of configurations = 1",
                                    "default configuration = 0", "configuration #0 = mine", "channel mask #0 = 7"});
constexpr rlim_t kFileSizeLimit = 6000;  // a little more than one write buffer

// Far larger than one write buffer, so that the limit stops it half way.
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

// app/settings.pxr holds the old settings; app/ and the file are open to
// everybody until a test narrows them.
class SettingsFaultTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(m_dir.path(), fs::perms(0755));
        fs::create_directory(App());
        fs::permissions(App(), fs::perms::all);
        WriteWholeFile(Settings(), kOldFile);
        fs::permissions(Settings(), fs::perms(0666));
        m_nDescriptors = OpenDescriptorCount();
    }

    fs::path App() const { return m_dir.path() / "app"; }
    std::string Settings() const { return m_dir / "app/settings.pxr"; }

    // A save as the user nobody (for whom permissions apply), under the
    // file-size limit, or both: reported, no descriptor held, no file left.
    void ExpectSaveFails(bool bAsNobody, bool bLimitFileSize) const
    {
        {
            const RestrictionScope scope;
            ASSERT_TRUE(!bAsNobody || ActAsNobody());
            if (bLimitFileSize)
                SetSoftLimit(RLIMIT_FSIZE, kFileSizeLimit);
            EXPECT_FALSE(NewSettings().SaveSettings(Settings().c_str()));
        }
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
        EXPECT_EQ(FilesIn(App()), std::vector<std::string>{"settings.pxr"});
    }

    void ExpectNextSaveWorks() const
    {
        std::error_code ec;
        fs::permissions(App(), fs::perms::all);
        fs::permissions(Settings(), fs::perms(0666), ec);
        const CSettings saved = NewSettings();
        ASSERT_TRUE(saved.SaveSettings(Settings().c_str()));
        EXPECT_EQ(Load(ReadWholeFile(Settings())).m_aConfigurations.size(), saved.m_aConfigurations.size());
        EXPECT_FALSE(fs::exists(Settings() + ".tmp"));
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
    }

    TempDir m_dir;
    size_t m_nDescriptors = 0;
};

TEST_F(SettingsFaultTest, AReadOnlyFileIsNotReplaced)
{
    fs::permissions(Settings(), fs::perms(0444));
    ExpectSaveFails(true, false);
    EXPECT_EQ(ReadWholeFile(Settings()), kOldFile);
    ExpectNextSaveWorks();
}

TEST_F(SettingsFaultTest, AWriteFailingHalfWayKeepsTheOldFile)
{
    ExpectSaveFails(false, true);
    EXPECT_EQ(ReadWholeFile(Settings()), kOldFile);
    ExpectNextSaveWorks();
}

// A folder that takes no new file is written in place, where a failure
// cannot keep the old file; it is still reported.
TEST_F(SettingsFaultTest, AWriteFailingInPlaceIsReported)
{
    fs::permissions(App(), fs::perms(0555));
    ExpectSaveFails(true, true);
    ExpectNextSaveWorks();
}

// Killed by the file-size limit in the middle of its writes: the old file is
// whole, the half-written temporary file the only trace, and the next save
// takes its place.
TEST_F(SettingsFaultTest, AProcessDyingHalfWayKeepsTheOldFile)
{
    EXPECT_EQ(SignalThatEndedChild([&] {
                  SetSoftLimit(RLIMIT_FSIZE, kFileSizeLimit);
                  NewSettings().SaveSettings(Settings().c_str());
              }),
              SIGXFSZ);
    EXPECT_EQ(fs::file_size(Settings() + ".tmp"), kFileSizeLimit);
    EXPECT_EQ(ReadWholeFile(Settings()), kOldFile);
    ExpectNextSaveWorks();
}

}  // namespace
