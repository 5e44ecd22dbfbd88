// CScenarioRunner: the main() of a scenario program. Reads the script named
// by the one argument, runs it with the headless backend and returns the
// exit code: 0 when every line held, 1 at the first line that did not (or a
// line that breaks the language), 2 for a wrong command line or an
// unreadable script.
#pragma once

#include <functional>
#include <memory>
#include <span>

#include "platform/cwinapp.h"
#include "platform/headless/namedid.h"

class CScenarioRunner {
public:
    using AppFactory = std::function<std::unique_ptr<CWinApp>()>;

    // pszExeName is the executable the scenario stands in for ("plexora");
    // names are the ids the script may write by name (the program's own);
    // makeApp constructs the application object anew for each `start`.
    static int Main(int argc, char** argv, const char* pszExeName, std::span<const NamedId> names,
                    AppFactory makeApp);
};
