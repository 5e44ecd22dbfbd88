// plexora-scenario SCRIPT: runs the desktop program from a scenario script,
// without a screen (tests/scenarios/README.md).
#include <signal.h>

#include <memory>

#include "app/mergeapp.h"
#include "core/interruptsignals.h"
#include "platform/headless/scenariorunner.h"
#include "app/resourcenames.h"

int main(int argc, char** argv)
{
    CatchInterruptSignals({SIGINT, SIGTERM, SIGXFSZ});
    return CScenarioRunner::Main(argc, argv, "plexora", kResourceNames,
                                 [] { return std::make_unique<CMergeApp>(); });
}
