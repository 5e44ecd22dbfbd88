#include "layout/settingslocation.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/fileexists.h"

namespace {

// $XDG_CONFIG_HOME, or ~/.config when it is unset, empty or not absolute
// (which the base directory rules say to ignore); the password entry's home
// when HOME is unset. Empty when there is no home at all.
std::string UserConfigFolder()
{
    const char* pszConfig = std::getenv("XDG_CONFIG_HOME");
    if (pszConfig != nullptr && pszConfig[0] == '/')
        return pszConfig;
    const char* pszHome = std::getenv("HOME");
    if (pszHome == nullptr || pszHome[0] == '\0') {
        const passwd* pEntry = ::getpwuid(::getuid());
        pszHome = pEntry != nullptr ? pEntry->pw_dir : nullptr;
    }
    if (pszHome == nullptr || pszHome[0] == '\0')
        return {};
    return std::string(pszHome) + "/.config";
}

}  // namespace

SettingsLocation FindSettingsLocation(const CString& strProgramDir)
{
    const CString strBeside = strProgramDir + "/settings.pxr";
    const CString strFolder = strProgramDir.IsEmpty() ? CString("/") : strProgramDir;
    if (::faccessat(AT_FDCWD, strFolder, W_OK | X_OK, AT_EACCESS) == 0)
        return {strBeside, strBeside};
    const std::string config = UserConfigFolder();
    const CString strOwn = config.empty() ? CString() : CString(config + "/plexora/settings.pxr");
    return {strOwn, FileExists(strOwn) ? strOwn : strBeside};
}

int MakeSettingsFolder(const CString& strFilePath)
{
    const std::string& path = strFilePath.str();
    if (path.empty())
        return ENOENT;
    // Every folder on the way, from the top, so that each new one gets 0700.
    for (size_t nSlash = path.find('/', 1); nSlash != std::string::npos; nSlash = path.find('/', nSlash + 1)) {
        const std::string folder = path.substr(0, nSlash);
        if (::mkdir(folder.c_str(), 0700) == 0)
            continue;
        const int nError = errno;
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return nError;
    }
    return 0;
}
