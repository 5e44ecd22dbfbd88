// CScriptLine: one line of a scenario script, split into its command and
// arguments and checked against the command's form. Words are separated by
// blanks; texts are in double quotes with \n for a line break, \" for a
// quote and \\ for a backslash; '#' outside a text starts a comment. An id
// is a number or a name of the program's table, NAME+N or NAME-N for the
// ids that follow or precede it.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/cstring.h"
#include "platform/headless/namedid.h"

class CScriptLine {
public:
    // False with strError for a line that breaks the language (an unknown
    // name included). A blank or comment-only line gives an empty command.
    static bool Parse(int nNumber, const std::string& strLine, std::span<const NamedId> names,
                      CScriptLine& line, CString& strError);

    int Number() const { return m_nNumber; }
    const CString& Raw() const { return m_strRaw; }
    const CString& Command() const { return m_strCommand; }
    bool IsEmpty() const { return m_strCommand.IsEmpty(); }
    int ArgCount() const { return static_cast<int>(m_args.size()); }
    // As written: a name stays a name.
    const CString& Arg(int i) const { return m_args[static_cast<size_t>(i)].strText; }
    bool IsStar(int i) const { return Arg(i) == "*" && !m_args[static_cast<size_t>(i)].bQuoted; }
    // A number's value, or the value a name stands for.
    int Int(int i) const { return m_args[static_cast<size_t>(i)].nValue; }

private:
    struct Token {
        CString strText;
        bool bQuoted;
        int nValue = 0;
    };
    // Checks the arguments against the command's form and takes their
    // values: a number's own, a name's from the table.
    bool CheckArguments(std::span<const NamedId> names, CString& strError);

    int m_nNumber = 0;
    CString m_strRaw;
    CString m_strCommand;
    std::vector<Token> m_args;
};
