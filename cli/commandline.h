// What the programs' command lines share: CLI11 set up alike (our usage
// lines, --version, usage errors worded as exitstatus.h words them) and
// parsing that says how the program ends when it ends there.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

// Sets app (named after its program) up with the footer, and with pszUsage
// instead of CLI11's usage line unless it is null.
void SetUpCommandLine(CLI::App& app, const char* pszUsage, const char* pszFooter);

// Parses argv. False when the program ends here, with its exit status in
// nExitCode: succeeded after --help or --version, a usage error (printed)
// otherwise.
bool ParseCommandLine(CLI::App& app, int argc, char** argv, int& nExitCode);
