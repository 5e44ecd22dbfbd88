// A merge host for tests: its choices as set, messages and progress calls
// recorded, a signal to pretend, and a hook on every progress step.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "merge/mergehost.h"

class TestHost : public IMergeHost {
public:
    bool ChooseOutputPath(CString& strOutputPath) override
    {
        if (!outputPath)
            return false;
        strOutputPath = CString(*outputPath);
        return true;
    }
    DWORD GetChannelMask() override { return dwMask; }
    bool GetNoExtensible() override { return bPlain; }
    bool GetCarryBext() override { return bCarryBext; }
    void ShowMessage(const char* pszText) override { messages.emplace_back(pszText); }
    void SetProgressRange(UINT nUpper) override { progress.push_back("range " + std::to_string(nUpper)); }
    bool IsInterrupted() override { return bInterrupted; }
    void SetProgressPos(UINT nPos) override
    {
        progress.push_back("pos " + std::to_string(nPos));
        if (onProgressPos)
            onProgressPos(nPos);
    }

    std::optional<std::string> outputPath;  // none: the user declines
    DWORD dwMask = 0x3;
    bool bPlain = false;
    bool bCarryBext = false;
    bool bInterrupted = false;  // as if a signal had come
    std::vector<std::string> messages;
    std::vector<std::string> progress;
    std::function<void(UINT)> onProgressPos;
};
