// One merge as a caller runs it: records created, listed, merged, and
// checked to be closed and released whatever the outcome.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "merge/mergeengine.h"
#include "tests/support/testhost.h"

struct Merge {
    TestHost host;
    CMergeEngine engine{host};
    std::vector<std::unique_ptr<CInputWave>> inputs;
    WaveFormatRule eRule = WaveFormatRule::SixteenBitMono;  // of every input

    bool Run(const std::vector<std::string>& paths)
    {
        inputs.clear();
        engine.m_aInputs.clear();
        for (const std::string& path : paths) {
            inputs.push_back(std::make_unique<CInputWave>());
            inputs.back()->m_strPath = CString(path);
            inputs.back()->m_eFormatRule = eRule;
            engine.m_aInputs.push_back(inputs.back().get());
        }
        const bool bMerged = engine.MergeInputs();
        for (const auto& input : inputs) {
            EXPECT_FALSE(input->m_file.IsOpen()) << input->m_strPath.str();
            EXPECT_EQ(input->m_block.capacity(), 0u) << "a block kept";
        }
        EXPECT_EQ(engine.m_interleaved.capacity(), 0u) << "the interleave buffer kept";
        EXPECT_FALSE(engine.m_fileOutput.IsOpen());
        return bMerged;
    }
};

// An engine message with the path in place of %s.
inline std::string Message(const char* pszFormat, const std::string& path)
{
    CString text;
    text.Format(pszFormat, path.c_str());
    return text.str();
}
