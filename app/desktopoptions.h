// The desktop program's command line, read before Qt starts so that --help
// and --version need no display.
#pragma once

#include <string>
#include <vector>

struct DesktopOptions {
    std::vector<std::string> files;  // as a file manager's "Open with" passes them
};

// Parses argv into options. True when the program should start; otherwise
// nExitCode says how to end: 0 after --help or --version, 2 after a usage
// error, whose message has been printed on standard error.
bool ParseDesktopOptions(int argc, char** argv, DesktopOptions& options, int& nExitCode);
