// plexora-split: splits multichannel WAV files into one mono WAV file per
// channel, named by the suffixes of the desktop program's settings.
// Exit status: 0 every file was split, 1 a file was not, 2 usage error,
// 128 + the signal number when a signal stopped it.
#include <signal.h>

#include <cstdio>

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
    std::string strError;
    if (!LoadMergeSettings(options.strSettingsPath, "plexora-split", settings, strError)) {
        PrintUsageError("plexora-split", strError);
        return kExitUsage;
    }
    SplitJob job;
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

    // Each file is split and reported on its own; one failure does not stop
    // the rest. A signal that comes once the last file is split stops nothing.
    int nExitCode = kExitSucceeded;
    for (const std::string& strFile : options.files) {
        job.strFile = CString(strFile);
        if (RunSplitJob(job, settings))
            continue;
        if (GetPendingInterrupt() != 0)
            return 128 + GetPendingInterrupt();
        nExitCode = kExitFailed;
        if (options.files.size() > 1)
            std::fprintf(stderr, "plexora-split: '%s' was not split.\n", strFile.c_str());
    }
    return nExitCode;
}
