// plexora-split: splits multichannel WAV files into one mono WAV file per
// channel, named by the suffixes of the desktop program's settings.
// Exit status: 0 every file was split, 1 a file was not, 2 usage error,
// 128 + the signal number when a signal stopped it.
#include <signal.h>

#include <cstdio>

#include "cli/commandline.h"
#include "cli/configurationchoice.h"
#include "cli/exitstatus.h"
#include "cli/mergesettings.h"
#include "cli/splitjob.h"
#include "cli/splitoptions.h"
#include "core/interruptsignals.h"

int main(int argc, char** argv)
{
    CatchInterruptSignals({SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ});
    SplitOptions options;
    int nUsageExitCode = kExitUsage;
    if (!ParseSplitOptions(argc, argv, options, nUsageExitCode))
        return nUsageExitCode;

    CSettings settings;
    if (!LoadMergeSettings(options.strSettingsPath, "plexora-split", settings))
        return kExitUsage;
    SplitJob job;
    std::string strError;
    if (options.strConfiguration) {
        job.pConfiguration = FindConfigurationByName(settings, CString(*options.strConfiguration), strError);
        if (job.pConfiguration == nullptr) {
            PrintUsageError("plexora-split", strError);
            return kExitUsage;
        }
    }
    job.strFolder = CString(options.strFolder.value_or(""));
    job.tagSeparator = options.tagSeparator;
    job.bForce = options.bForce;
    job.bQuiet = options.bQuiet;

    return RunEachFile(
        options.files,
        [&](const std::string& strFile) {
            job.strFile = CString(strFile);
            return RunSplitJob(job, settings);
        },
        "plexora-split: '%s' was not split.");
}
