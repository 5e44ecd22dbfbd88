// A scenario runner for the window layer's own test dialogs.
#include <memory>

#include "platform/headless/scenariorunner.h"
#include "tests/platform/testdialogs.h"

int main(int argc, char** argv)
{
    AfxSetResourceTable(&kTestResources);
    return CScenarioRunner::Main(argc, argv, "layertest", kTestNames,
                                 [] { return std::make_unique<CTestApp>(); });
}
