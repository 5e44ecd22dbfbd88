// CScriptChecks: the expect-... lines of a scenario, checked against the
// active window (the innermost running modal dialog).
#pragma once

#include "core/cstring.h"
#include "platform/headless/scriptline.h"

class CScriptChecks {
public:
    static bool IsCheck(const CScriptLine& line);
    // Empty when the line holds; otherwise what was found instead.
    static CString Check(const CScriptLine& line);
};
