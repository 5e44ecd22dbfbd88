#include "platform/headless/scriptline.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// The form of each command's arguments, one letter each:
// D an id (an integer or a name), I an integer, T a quoted text, B 0 or 1,
// S an integer or *, K escape or enter, A an optional ok, yes or no; a
// trailing '*' makes the letter before it repeat any number of times, none
// included.
struct CommandForm {
    const char* pszName;
    const char* pszArgs;
};

constexpr CommandForm kForms[] = {
    {"appdir", "T"},          {"dpi", "I"},
    {"start", "T*"},          {"end", ""},
    {"click", "D"},           {"select", "DI"},
    {"toggle", "DI"},         {"type", "DT"},
    {"check", "DB"},          {"key", "K"},
    {"close", ""},            {"syscommand", "D"},
    {"drop", "DTT*"},
    {"message", "TA"},        {"answer-open", "T"},
    {"answer-save", "T"},     {"answer-cancel", ""},
    {"expect-active", "T"},   {"expect-text", "DT"},
    {"expect-tooltip", "DT"},
    {"expect-items", "DT*"},  {"expect-selection", "DII*"},
    {"expect-checked", "DB"}, {"expect-rect", "DSSSS"},
    {"expect-window-size", "II"}, {"expect-exists", "DB"},
    {"expect-progress", "III"}, {"expect-font-height", "DI"},
    {"expect-sysmenu-tail", "TT*"}, {"expect-caption", "T"},
    {"dump", ""},
};

bool IsInteger(const CString& str)
{
    const char* psz = str.GetString();
    if (*psz == '-')
        ++psz;
    if (psz[0] == '0' && (psz[1] == 'x' || psz[1] == 'X'))
        return psz[2] != '\0' && std::strspn(psz + 2, "0123456789abcdefABCDEF") == std::strlen(psz + 2);
    return *psz != '\0' && std::strspn(psz, "0123456789") == std::strlen(psz);
}

// NAME, NAME+N or NAME-N: a C identifier, then a decimal offset.
bool SplitName(const CString& str, std::string& strName, int& nOffset)
{
    const std::string& text = str.str();
    size_t nEnd = 0;
    while (nEnd < text.size() && (std::isalnum(static_cast<unsigned char>(text[nEnd])) || text[nEnd] == '_'))
        ++nEnd;
    if (nEnd == 0 || std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    strName = text.substr(0, nEnd);
    nOffset = 0;
    if (nEnd == text.size())
        return true;
    const char* pszDigits = text.c_str() + nEnd + 1;
    if ((text[nEnd] != '+' && text[nEnd] != '-') || *pszDigits == '\0' ||
        std::strspn(pszDigits, "0123456789") != std::strlen(pszDigits))
        return false;
    nOffset = static_cast<int>(std::strtol(pszDigits, nullptr, 10));
    if (text[nEnd] == '-')
        nOffset = -nOffset;
    return true;
}

bool IsName(const CString& str)
{
    std::string strName;
    int nOffset;
    return SplitName(str, strName, nOffset);
}

bool Fits(char cKind, const CString& strText, bool bQuoted)
{
    switch (cKind) {
    case 'D': return !bQuoted && (IsInteger(strText) || IsName(strText));
    case 'I': return !bQuoted && IsInteger(strText);
    case 'T': return bQuoted;
    case 'B': return !bQuoted && (strText == "0" || strText == "1");
    case 'S': return !bQuoted && (strText == "*" || IsInteger(strText));
    case 'K': return !bQuoted && (strText == "escape" || strText == "enter");
    case 'A': return !bQuoted && (strText == "ok" || strText == "yes" || strText == "no");
    default: return false;
    }
}

const NamedId* FindName(std::span<const NamedId> names, const std::string& strName)
{
    for (const NamedId& named : names)
        if (strName == named.pszName)
            return &named;
    return nullptr;
}

}  // namespace

bool CScriptLine::Parse(int nNumber, const std::string& strLine, std::span<const NamedId> names,
                        CScriptLine& line, CString& strError)
{
    line = CScriptLine();
    line.m_nNumber = nNumber;
    std::string raw = strLine;
    while (!raw.empty() && (raw.back() == '\r' || raw.back() == ' ' || raw.back() == '\t'))
        raw.pop_back();
    line.m_strRaw = raw;

    std::vector<Token> tokens;
    size_t i = 0;
    while (i < raw.size()) {
        char c = raw[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string text;
            bool bClosed = false;
            for (++i; i < raw.size(); ++i) {
                if (raw[i] == '"') {
                    bClosed = true;
                    ++i;
                    break;
                }
                if (raw[i] == '\\') {
                    char cNext = i + 1 < raw.size() ? raw[i + 1] : '\0';
                    if (cNext != 'n' && cNext != '"' && cNext != '\\') {
                        strError = "unknown escape in a text (use \\n, \\\" or \\\\)";
                        return false;
                    }
                    text += cNext == 'n' ? '\n' : cNext;
                    ++i;
                } else {
                    text += raw[i];
                }
            }
            if (!bClosed) {
                strError = "a text has no closing quote";
                return false;
            }
            tokens.push_back({CString(text), true});
        } else {
            size_t nEnd = raw.find_first_of(" \t\"#", i);
            if (nEnd == std::string::npos)
                nEnd = raw.size();
            tokens.push_back({CString(raw.substr(i, nEnd - i)), false});
            i = nEnd;
        }
    }
    if (tokens.empty())
        return true;
    if (tokens.front().bQuoted) {
        strError = "a line starts with a command, not a text";
        return false;
    }
    line.m_strCommand = tokens.front().strText;
    line.m_args.assign(tokens.begin() + 1, tokens.end());
    return line.CheckArguments(names, strError);
}

bool CScriptLine::CheckArguments(std::span<const NamedId> names, CString& strError)
{
    const CommandForm* pForm = nullptr;
    for (const CommandForm& form : kForms)
        if (m_strCommand == form.pszName)
            pForm = &form;
    if (!pForm) {
        strError = "unknown command '" + m_strCommand + "'";
        return false;
    }
    std::string kinds = pForm->pszArgs;
    bool bRepeat = !kinds.empty() && kinds.back() == '*';
    if (bRepeat)
        kinds.pop_back();
    size_t nRequired = kinds.size() - ((bRepeat || (!kinds.empty() && kinds.back() == 'A')) ? 1 : 0);
    bool bCountOk = m_args.size() >= nRequired && (bRepeat || m_args.size() <= kinds.size());
    for (size_t i = 0; bCountOk && i < m_args.size(); ++i) {
        char cKind = i < kinds.size() ? kinds[i] : kinds.back();
        if (!Fits(cKind, m_args[i].strText, m_args[i].bQuoted))
            bCountOk = false;
    }
    if (!bCountOk) {
        strError = CString("wrong arguments for '") + m_strCommand + "'";
        return false;
    }
    for (size_t i = 0; i < m_args.size(); ++i) {
        Token& arg = m_args[i];
        if (arg.bQuoted)
            continue;
        if (IsInteger(arg.strText)) {
            arg.nValue = static_cast<int>(std::strtol(arg.strText.GetString(), nullptr, 0));
        } else if ((i < kinds.size() ? kinds[i] : kinds.back()) == 'D') {
            std::string strName;
            int nOffset;
            SplitName(arg.strText, strName, nOffset);
            const NamedId* pFound = FindName(names, strName);
            if (!pFound) {
                strError = CString("unknown name '") + CString(strName) + "'";
                return false;
            }
            arg.nValue = pFound->nId + nOffset;
        }
    }
    return true;
}
