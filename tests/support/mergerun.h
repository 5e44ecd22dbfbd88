// One merge as a caller runs it: the inputs' paths merged, and the engine
// checked to hold nothing afterwards whatever the outcome.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "merge/mergeengine.h"
#include "tests/support/testhost.h"

struct Merge {
    TestHost host;
    CMergeEngine engine{host};
    MergeResult result;  // of the last Run

    bool Run(const std::vector<std::string>& paths)
    {
        result = engine.Merge(std::vector<CString>(paths.begin(), paths.end()));
        EXPECT_FALSE(engine.HoldsResources()) << "an input, a buffer or the output kept";
        return result.Succeeded();
    }
};

// An engine message with the path in place of %s.
inline std::string Message(const char* pszFormat, const std::string& path)
{
    CString text;
    text.Format(pszFormat, path.c_str());
    return text.str();
}
