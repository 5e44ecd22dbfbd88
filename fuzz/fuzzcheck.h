// A property the fuzzed code must keep. Breaking it aborts, which libFuzzer
// reports as a crash and saves the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool bHolds, const char* pszProperty)
{
    if (bHolds)
        return;
    std::fprintf(stderr, "property broken: %s\n", pszProperty);
    std::abort();
}
