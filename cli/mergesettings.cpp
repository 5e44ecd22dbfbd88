#include "cli/mergesettings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/exitstatus.h"

#include "layout/settingslocation.h"

namespace fs = std::filesystem;

namespace {

// The settings file the desktop program would read, found from the folder
// of the running executable, symbolic links resolved; empty when the
// executable's path is unknown.
std::string FindProgramSettingsFile()
{
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return FindSettingsLocation(CString(executable.parent_path().string())).strReadPath.str();
}

}  // namespace

bool LoadMergeSettings(const std::optional<std::string>& strSettingsPath, const char* pszProgram,
                       CSettings& settings, std::string* pstrFileRead)
{
    std::string strFileRead;
    if (strSettingsPath) {
        if (!settings.LoadSettings(strSettingsPath->c_str())) {
            std::error_code ec;
            const fs::file_status status = fs::status(*strSettingsPath, ec);
            PrintUsageError(pszProgram, fs::is_character_file(status) || fs::is_block_file(status)
                                            ? "the settings file '" + *strSettingsPath + "' is a device, not a file"
                                            : "can't read the settings file '" + *strSettingsPath + "'");
            return false;
        }
        strFileRead = *strSettingsPath;
    } else {
        const std::string strFound = FindProgramSettingsFile();
        std::error_code ec;
        const bool bExists = !strFound.empty() && fs::exists(strFound, ec);
        if (bExists && settings.LoadSettings(strFound.c_str())) {
            strFileRead = strFound;
        } else {
            // A file that is there but unreadable would otherwise be ignored unseen.
            if (bExists)
                std::fprintf(stderr, "%s: can't read '%s'; using the built-in settings.\n", pszProgram,
                             strFound.c_str());
            settings.LoadDefaultSettings();
        }
    }
    settings.RepairConfigurations();
    if (pstrFileRead != nullptr)
        *pstrFileRead = strFileRead;
    return true;
}
