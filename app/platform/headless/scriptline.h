// CScriptLine: one line of a scenario script, split into its command and
// arguments and checked against the command's form. Words are separated by
// blanks; texts are in double quotes with \n for a line break, \" for a
// quote and \\ for a backslash; '#' outside a text starts a comment.
#pragma once

#include <string>
#include <vector>

#include "platform/core/cstring.h"

class CScriptLine {
public:
    // False with strError for a line that breaks the language. A blank or
    // comment-only line gives an empty command.
    static bool Parse(int nNumber, const std::string& strLine, CScriptLine& line, CString& strError);

    int Number() const { return m_nNumber; }
    const CString& Raw() const { return m_strRaw; }
    const CString& Command() const { return m_strCommand; }
    bool IsEmpty() const { return m_strCommand.IsEmpty(); }
    int ArgCount() const { return static_cast<int>(m_args.size()); }
    const CString& Arg(int i) const { return m_args[static_cast<size_t>(i)].strText; }
    bool IsStar(int i) const { return Arg(i) == "*" && !m_args[static_cast<size_t>(i)].bQuoted; }
    int Int(int i) const;

private:
    struct Token {
        CString strText;
        bool bQuoted;
    };
    bool CheckForm(CString& strError) const;

    int m_nNumber = 0;
    CString m_strRaw;
    CString m_strCommand;
    std::vector<Token> m_args;
};
