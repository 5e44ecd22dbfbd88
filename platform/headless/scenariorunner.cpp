#include "platform/headless/scenariorunner.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headlessbackend.h"
#include "platform/headless/scripteduser.h"

namespace {

// The default stand-in for the executable's folder: fresh, and removed at
// the end however the scenario ends (a failing one ends by quick_exit).
std::string g_strTempFolder;

void RemoveTempFolder()
{
    std::error_code ec;
    if (!g_strTempFolder.empty())
        std::filesystem::remove_all(g_strTempFolder, ec);
    g_strTempFolder.clear();
}

bool MakeTempFolder()
{
    std::string templ = (std::filesystem::temp_directory_path() / "plexora-scenario-XXXXXX").string();
    if (!mkdtemp(templ.data()))
        return false;
    g_strTempFolder = templ;
    std::at_quick_exit(RemoveTempFolder);
    return true;
}

}  // namespace

int CScenarioRunner::Main(int argc, char** argv, const char* pszExeName, std::span<const NamedId> names,
                          AppFactory makeApp)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SCRIPT\n", argc > 0 ? argv[0] : "scenario");
        return 2;
    }
    const char* pszScript = argv[1];
    std::ifstream in(pszScript);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read the script\n", pszScript);
        return 2;
    }
    std::vector<CScriptLine> lines;
    std::string text;
    for (int nNumber = 1; std::getline(in, text); ++nNumber) {
        CScriptLine line;
        CString strError;
        if (!CScriptLine::Parse(nNumber, text, names, line, strError)) {
            std::printf("%s:%d: %s\n  error: %s\n", pszScript, nNumber, line.Raw().GetString(),
                        strError.GetString());
            return 1;
        }
        lines.push_back(line);
    }

    if (!MakeTempFolder()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 2;
    }

    CHeadlessBackend backend;
    AfxSetBackend(&backend);
    CScriptedUser user(pszScript, std::move(lines), backend,
                       [&makeApp](const CString& strModuleFileName, const std::vector<CString>& filesToOpen) {
                           std::unique_ptr<CWinApp> app = makeApp();
                           AfxWinMain(*app, strModuleFileName, filesToOpen);
                       },
                       pszExeName, CString(g_strTempFolder));
    backend.SetUser(&user);
    int nResult = user.Run();
    backend.SetUser(nullptr);
    AfxSetBackend(nullptr);
    RemoveTempFolder();
    return nResult;
}
