// What the command-line programs end with, and how they word a command line
// they cannot carry out.
#pragma once

#include <cstdio>
#include <string>

constexpr int kExitSucceeded = 0;
constexpr int kExitFailed = 1;  // a file could not be merged, split or read
constexpr int kExitUsage = 2;   // the command line cannot be carried out
// A signal that ends a program ends it with 128 + its number.

// "plexora-merge: MESSAGE" and a line pointing at --help.
inline std::string UsageErrorText(const char* pszProgram, const std::string& strMessage)
{
    return std::string(pszProgram) + ": " + strMessage + "\nRun with --help for more information.\n";
}

// The same on standard error, for a check of the program's own.
inline void PrintUsageError(const char* pszProgram, const std::string& strMessage)
{
    std::fputs(UsageErrorText(pszProgram, strMessage).c_str(), stderr);
}
