#include "cli/mergesettings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string GetSettingsPathBesideExecutable()
{
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return (executable.parent_path() / "settings.pxr").string();
}

bool LoadMergeSettings(const std::optional<std::string>& strSettingsPath, const char* pszProgram,
                       CSettings& settings, std::string& strError)
{
    if (strSettingsPath) {
        if (!settings.LoadSettings(strSettingsPath->c_str())) {
            std::error_code ec;
            const fs::file_status status = fs::status(*strSettingsPath, ec);
            strError = fs::is_character_file(status) || fs::is_block_file(status)
                           ? "the settings file '" + *strSettingsPath + "' is a device, not a file"
                           : "can't read the settings file '" + *strSettingsPath + "'";
            return false;
        }
    } else {
        const std::string strBeside = GetSettingsPathBesideExecutable();
        std::error_code ec;
        const bool bExists = !strBeside.empty() && fs::exists(strBeside, ec);
        if (!bExists || !settings.LoadSettings(strBeside.c_str())) {
            // A file that is there but unreadable would otherwise be ignored unseen.
            if (bExists)
                std::fprintf(stderr, "%s: can't read '%s'; using the built-in settings.\n", pszProgram,
                             strBeside.c_str());
            settings.LoadDefaultSettings();
        }
    }
    settings.RepairConfigurations();
    return true;
}
