// The desktop program asked to end by SIGTERM half way through a merge
// (merging/interrupted.txt): no output replaced, no temporary file, the
// settings saved, and the scenario ends as its script says.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tests/support/mergecheck.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kStemBytes = 8 * 1024 * 1024;
constexpr const char* kOldOutput = "the output of an earlier merge";

size_t WrittenAside(const fs::path& folder)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().starts_with(".longsurround 5.1.wav."))
            return entry.file_size(ec);
    return 0;
}

TEST(InterruptScenarioTest, SigtermHalfWayStopsTheMergeAndClosesTheProgramAsItsCloseBox)
{
    const TempDir dir;
    fs::create_directory(dir.path() / "app");
    fs::create_directory(dir.path() / "stems");
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"})
        WavBuilder().Fmt(1, 44100, 16).Data(PatternBytes(kStemBytes, pszSuffix[1])).Write(
            dir / ("stems/long" + std::string(pszSuffix) + ".wav"));
    WriteWholeFile(dir / "stems/longsurround 5.1.wav", kOldOutput);
    const std::vector<std::string> before = FilesIn(dir.path() / "stems");

    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.path().c_str()) == 0)
            execl(PLEXORA_SCENARIO, PLEXORA_SCENARIO, SCENARIO_DIR "/merging/interrupted.txt", nullptr);
        _exit(127);
    }
    while (WrittenAside(dir.path() / "stems") < 6 * kStemBytes / 3 && waitpid(pid, nullptr, WNOHANG) == 0)
        std::this_thread::yield();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the scenario did not end as its script says";
    EXPECT_EQ(FilesIn(dir.path() / "stems"), before) << "a temporary file was left";
    EXPECT_EQ(ReadWholeFile(dir / "stems/longsurround 5.1.wav"), kOldOutput);
    EXPECT_TRUE(fs::exists(dir.path() / "app/settings.pxr")) << "the settings were not saved";
}

}  // namespace
