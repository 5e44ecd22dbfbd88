// plexora-scenario SCRIPT: runs the desktop program from a scenario script,
// without a screen (tests/scenarios/README.md).
#include <memory>

#include "app/mergeapp.h"
#include "platform/headless/scenariorunner.h"

int main(int argc, char** argv)
{
    return CScenarioRunner::Main(argc, argv, "plexora", [] { return std::make_unique<CMergeApp>(); });
}
