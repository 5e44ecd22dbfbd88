// Faults while the settings file is saved at exit. A failed save is
// reported and leaves the old file whole (unless its folder takes no new
// file), no temporary file and no descriptor; a save that works puts a whole
// file where readers look, and the next save works. Read-only files and
// writes failing half way take the merge output's path: its fault test's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <set>

#include "core/creplacingfile.h"
#include "layout/settings.h"
#include "tests/support/descriptors.h"
#include "tests/support/mergecheck.h"
#include "tests/support/restrictions.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldFile = "[Options]\r\nauto export = 1\r\n[Configurations]\r\nnumber of configurations = 1\r\n"
                             "default configuration = 0\r\nconfiguration #0 = mine\r\nchannel mask #0 = 7\r\n";
constexpr rlim_t kFileSizeLimit = 6000;  // a little more than one write buffer

// The built-in record and nCount more configurations named after nWriter:
// by default larger than a write buffer, so that a limit stops it half way.
CSettings NewSettings(int nCount = 3000, int nWriter = 0)
{
    CSettings settings;
    settings.LoadDefaultSettings();
    for (int i = 0; i < nCount; ++i) {
        CString strName;
        strName.Format("layout %d of %d", i, nWriter);
        settings.AddConfiguration(strName, 0);
    }
    return settings;
}

// The bytes a save of the record writes into a folder of its own.
std::string SavedAlone(const CSettings& settings)
{
    TempDir dir;
    EXPECT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    return ReadWholeFile(dir / "settings.pxr");
}

// app/settings.pxr holds the old settings; app/ and the file are open to
// everybody until a test narrows them.
class SettingsFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(m_dir.path(), fs::perms(0755));
        fs::create_directory(App());
        WriteOldFile();
    }

    void WriteOldFile()
    {
        fs::permissions(App(), fs::perms::all);
        WriteWholeFile(Settings(), kOldFile);
        fs::permissions(Settings(), fs::perms(0666));
        m_nDescriptors = OpenDescriptorCount();
    }

    fs::path App() const { return m_dir.path() / "app"; }
    std::string Settings() const { return m_dir / "app/settings.pxr"; }

    // Leaves no other file behind than those there before.
    void ExpectNextSaveWorks() const
    {
        std::error_code ec;
        fs::permissions(App(), fs::perms::all);
        fs::permissions(Settings(), fs::perms(0666), ec);
        const std::vector<std::string> files = FilesIn(App());
        const CSettings saved = NewSettings();
        ASSERT_TRUE(saved.SaveSettings(Settings().c_str()));
        EXPECT_EQ(ReadWholeFile(Settings()), SavedAlone(saved));
        EXPECT_EQ(FilesIn(App()), files);
        EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
    }

    TempDir m_dir;
    size_t m_nDescriptors = 0;
};

using Hook = void (*)(const fs::path& dir);

// What app/settings.pxr reads as after the save, through its links.
enum class Afterwards { NewRecord, OldFile, NotChecked };

struct SaveFault {
    const char* name;
    Hook prepare = nullptr;  // with the test's own rights
    bool bAsNobody = false;  // so that permissions apply to the save
    bool bLimitFileSize = false;
    const char* pszFullDisk = nullptr;  // mount options of a tmpfs on app/, filled up (as root only)
    bool bSaved = false;
    Afterwards settings = Afterwards::OldFile;
    std::vector<std::string> app = {"settings.pxr"};  // what app/ holds afterwards
    Hook check = nullptr;  // what else must hold
    bool bNextSaveWorks = true;
};

// Names the row in the test's name and in its failures.
void PrintTo(const SaveFault& fault, std::ostream* os)
{
    *os << fault.name;
}

const SaveFault kFaults[] = {
    // A full disk without room for a new file: never written in place.
    {.name = "NoRoomForANewFile", .pszFullDisk = "size=64k,nr_inodes=3", .app = {"filler", "settings.pxr"},
     .bNextSaveWorks = false},
    // A folder that takes no new file gets it written in place, cut to its
    // new length: a failure there loses the old file, and is reported.
    {.name = "WrittenInPlace",
     .prepare = [](const fs::path& dir) {
         WriteWholeFile(dir / "app/settings.pxr", std::string(1 << 20, 'o'));
         fs::permissions(dir / "app", fs::perms(0555));
     },
     .bAsNobody = true, .bSaved = true, .settings = Afterwards::NewRecord},
    {.name = "WriteFailingInPlace",
     .prepare = [](const fs::path& dir) { fs::permissions(dir / "app", fs::perms(0555)); },
     .bAsNobody = true, .bLimitFileSize = true, .settings = Afterwards::NotChecked},
    // What is not a file is never replaced. (A link to a file is followed,
    // and the file replaced keeping its permission bits: plexora-merge's
    // tests, through the same code.)
    {.name = "LinkToADevice",
     .prepare = [](const fs::path& dir) {
         fs::remove(dir / "app/settings.pxr");
         fs::create_symlink("/dev/null", dir / "app/settings.pxr");
     },
     .bAsNobody = true, .settings = Afterwards::NotChecked,
     .check = [](const fs::path& dir) { EXPECT_EQ(fs::read_symlink(dir / "app/settings.pxr"), "/dev/null"); },
     .bNextSaveWorks = false},
    // Nor copied to the backup: an empty copy would replace the old backup.
    {.name = "AFifo",
     .prepare = [](const fs::path& dir) {
         fs::remove(dir / "app/settings.pxr");
         ASSERT_EQ(mkfifo((dir / "app/settings.pxr").c_str(), 0666), 0);
         WriteWholeFile(dir / "app/settings.pxr.bak", kOldFile);
     },
     .settings = Afterwards::NotChecked, .app = {"settings.pxr", "settings.pxr.bak"},
     .check = [](const fs::path& dir) {
         const std::string settings = dir / "app/settings.pxr";
         EXPECT_FALSE(CReplacingFile::Copy(settings.c_str(), (settings + ".bak").c_str()));
         EXPECT_EQ(ReadWholeFile(settings + ".bak"), kOldFile);
         EXPECT_TRUE(fs::is_fifo(settings));
     },
     .bNextSaveWorks = false},
};

class SettingsFaultTest : public SettingsFolderTest, public testing::WithParamInterface<SaveFault> {
protected:
    void SetUp() override
    {
        SettingsFolderTest::SetUp();
        if (GetParam().pszFullDisk) {
            if (geteuid() != 0)
                GTEST_SKIP() << "mounting a small file system needs root";
            if (mount("plexora-full", App().c_str(), "tmpfs", 0, GetParam().pszFullDisk) != 0)
                GTEST_SKIP() << "no tmpfs can be mounted here";
            m_bMounted = true;
            WriteOldFile();
            FillDisk();
        }
    }

    void TearDown() override
    {
        if (m_bMounted)
            umount2(App().c_str(), MNT_DETACH);
    }

    void FillDisk() const
    {
        const int fd = open((App() / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (write(fd, block.data(), block.size()) > 0) {
        }
        close(fd);
    }

    bool m_bMounted = false;
};

TEST_P(SettingsFaultTest, TheSaveIsReportedAndNothingIsTorn)
{
    const SaveFault& fault = GetParam();
    if (fault.prepare)
        fault.prepare(m_dir.path());
    {
        const RestrictionScope scope;
        ASSERT_TRUE(!fault.bAsNobody || ActAsNobody());
        if (fault.bLimitFileSize)
            SetSoftLimit(RLIMIT_FSIZE, kFileSizeLimit);
        EXPECT_EQ(NewSettings().SaveSettings(Settings().c_str()), fault.bSaved);
    }
    EXPECT_EQ(OpenDescriptorCount(), m_nDescriptors);
    EXPECT_EQ(FilesIn(App()), fault.app);
    if (fault.settings == Afterwards::NewRecord) {
        EXPECT_EQ(ReadWholeFile(Settings()), SavedAlone(NewSettings()));
    } else if (fault.settings == Afterwards::OldFile) {
        EXPECT_EQ(ReadWholeFile(Settings()), kOldFile);
    }
    if (fault.check)
        fault.check(m_dir.path());
    if (fault.bNextSaveWorks)
        ExpectNextSaveWorks();
}

INSTANTIATE_TEST_SUITE_P(Saves, SettingsFaultTest, testing::ValuesIn(kFaults));

// Programs exiting at once, each saving its own record again and again:
// every save works, and whoever reads meanwhile finds one whole file.
TEST_F(SettingsFolderTest, SavesAtOnceEachLeaveAWholeFile)
{
    constexpr int kWriters = 3;
    constexpr int kRounds = 100;
    constexpr int kConfigurations = 300;  // a few write buffers
    std::set<std::string> wholeFiles = {kOldFile};
    for (int k = 0; k < kWriters; ++k)
        wholeFiles.insert(SavedAlone(NewSettings(kConfigurations, k)));

    for (int k = 0; k < kWriters; ++k) {
        if (fork() == 0) {
            for (int nRound = 0; nRound < kRounds; ++nRound) {
                if (!NewSettings(kConfigurations, k).SaveSettings(Settings().c_str()))
                    _exit(1);
            }
            _exit(0);
        }
    }
    size_t nReads = 0;
    size_t nTorn = 0;
    for (int nEnded = 0; nEnded < kWriters; ++nReads) {
        nTorn += wholeFiles.count(ReadWholeFile(Settings())) == 0;
        int status = 0;
        if (waitpid(-1, &status, WNOHANG) > 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
            ++nEnded;
        }
    }
    EXPECT_EQ(nTorn, 0u) << "of " << nReads << " reads";
    EXPECT_TRUE(wholeFiles.count(ReadWholeFile(Settings())));
    EXPECT_EQ(FilesIn(App()), std::vector<std::string>{"settings.pxr"});
}

}  // namespace
