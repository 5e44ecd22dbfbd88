// plexora-merge: merges mono WAV files into one multichannel WAV file, with
// the configurations and suffixes of the desktop program's settings.
// Exit status: 0 merged, 1 a merge failed, 2 usage error, 128 + the signal
// number when a signal stopped it.
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/automerge.h"
#include "cli/commandline.h"
#include "cli/configurationchoice.h"
#include "cli/exitstatus.h"
#include "cli/mergejob.h"
#include "cli/mergeoptions.h"
#include "cli/mergesettings.h"
#include "cli/settingslist.h"
#include "core/interruptsignals.h"

namespace {

// Each set is merged and reported on its own, once however many of its
// stems are named, in the order of the first named; one failure does not
// stop the rest.
int MergeAutoSets(const MergeOptions& options, const CSettings& settings)
{
    std::string strError;
    const CConfiguration* pConfiguration = ChooseAutoConfiguration(options, settings, strError);
    if (pConfiguration == nullptr) {
        PrintUsageError("plexora-merge", strError);
        return kExitUsage;
    }
    std::vector<CString> merged;  // the sets merged or tried, by their first stems
    return RunEachFile(
        options.files,
        [&](const std::string& strFile) {
            const CString strFirstStem = GetAutoSetFirstStem(CString(strFile), *pConfiguration, settings);
            if (std::find(merged.begin(), merged.end(), strFirstStem) != merged.end())
                return true;
            merged.push_back(strFirstStem);
            return MergeAutoSet(CString(strFile), *pConfiguration, settings, options);
        },
        "plexora-merge: the set of '%s' was not merged.");
}

int MergeFiles(const MergeOptions& options, const CSettings& settings)
{
    MergeJob job;
    std::string strError;
    if (!ChooseChannelMask(options, settings, job.dwChannelMask, strError)) {
        PrintUsageError("plexora-merge", strError);
        return kExitUsage;
    }
    for (const std::string& strFile : options.files)
        job.inputs.emplace_back(strFile);
    job.strOutputPath = CString(*options.strOutputPath);
    job.bNoExtensible = options.bPlain || settings.m_bNoExtensible;
    job.bCarryBext = options.bBext;
    job.bQuiet = options.bQuiet;
    job.bCheck = options.bCheck;
    if (RunMergeJob(job))
        return kExitSucceeded;
    return GetPendingInterrupt() != 0 ? 128 + GetPendingInterrupt() : kExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    CatchInterruptSignals({SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ});
    MergeOptions options;
    int nExitCode = kExitSucceeded;
    if (!ParseMergeOptions(argc, argv, options, nExitCode))
        return nExitCode;

    CSettings settings;
    std::string strSettingsFile;
    if (!LoadMergeSettings(options.strSettingsPath, "plexora-merge", settings, &strSettingsFile))
        return kExitUsage;
    if (options.bList) {
        std::fputs(FormatSettingsFileLine(strSettingsFile).c_str(), stdout);
        std::fputs(FormatSettingsList(settings).c_str(), stdout);
        return kExitSucceeded;
    }
    // A signal that comes once the output is in place stops nothing.
    return options.bAuto ? MergeAutoSets(options, settings) : MergeFiles(options, settings);
}
