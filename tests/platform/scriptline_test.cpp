// The scenario language's lines: words, quoted texts with their escapes,
// comments, ids by number or name, and each command's form.
#include "platform/headless/scriptline.h"

#include <gtest/gtest.h>

namespace {

// A program's names, with their values written out.
const NamedId kNames[] = {
    {"IDC_PROCESS", 1000},
    {"IDC_CHANNEL_LABEL_FIRST", 777},
    {"IDM_ABOUTBOX", 16},
};

CScriptLine Parsed(const std::string& text)
{
    CScriptLine line;
    CString strError;
    EXPECT_TRUE(CScriptLine::Parse(7, text, kNames, line, strError)) << text << ": " << strError.GetString();
    return line;
}

TEST(CScriptLineTest, SplitsWordsTextsAndComments)
{
    CScriptLine line = Parsed("  message \"Enable to process:\\nFile 'a \\\"b\\\".wav' can't be loaded.\" ok  # why\r");
    EXPECT_EQ(line.Number(), 7);
    EXPECT_EQ(line.Command(), "message");
    ASSERT_EQ(line.ArgCount(), 2);
    EXPECT_EQ(line.Arg(0), "Enable to process:\nFile 'a \"b\".wav' can't be loaded.");
    EXPECT_EQ(line.Arg(1), "ok");
    EXPECT_EQ(line.Raw(), "  message \"Enable to process:\\nFile 'a \\\"b\\\".wav' can't be loaded.\" ok  # why");

    EXPECT_EQ(Parsed("type 555 \"a#b \\\\ c\"").Arg(1), "a#b \\ c") << "no comment inside a text";
    EXPECT_TRUE(Parsed("   # only a comment").IsEmpty());
    EXPECT_EQ(Parsed("expect-items 1012").ArgCount(), 1) << "no items";
    CScriptLine rect = Parsed("expect-rect 1000 * 186 * 208");
    EXPECT_TRUE(rect.IsStar(1));
    EXPECT_FALSE(rect.IsStar(2));
    EXPECT_EQ(rect.Int(4), 208);
}

TEST(CScriptLineTest, TakesIdsByNumberOrName)
{
    const struct {
        const char* pszText;
        int nArg;
        int nValue;
    } cases[] = {
        {"syscommand 0x10", 0, 16},
        {"expect-exists -1 1", 0, -1},
        {"click IDC_PROCESS", 0, 1000},
        {"expect-text IDC_CHANNEL_LABEL_FIRST+2 \"---\"", 0, 779},
        {"expect-rect IDC_CHANNEL_LABEL_FIRST+0 * 33 * 54", 0, 777},
        {"syscommand IDM_ABOUTBOX+15", 0, 31},
        {"syscommand IDM_ABOUTBOX-1", 0, 15},
        {"select IDC_PROCESS 3", 1, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parsed(c.pszText).Int(c.nArg), c.nValue) << c.pszText;
    EXPECT_EQ(Parsed("click IDC_PROCESS").Arg(0), "IDC_PROCESS") << "reports show the line as written";
}

TEST(CScriptLineTest, RejectsLinesThatBreakTheLanguage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"frobnicate 1", "unknown command 'frobnicate'"},
        {"click", "wrong arguments for 'click'"},
        {"click 10 11", "wrong arguments for 'click'"},
        {"click 10x", "wrong arguments for 'click'"},
        {"click ten", "unknown name 'ten'"},
        {"click idc_process", "unknown name 'idc_process'"},
        {"expect-text IDC_CHANNEL_LABEL+2 \"---\"", "unknown name 'IDC_CHANNEL_LABEL'"},
        {"click IDC_PROCESS+", "wrong arguments for 'click'"},
        {"click IDC_PROCESS+0x1", "wrong arguments for 'click'"},
        {"click IDC_PROCESS + 1", "wrong arguments for 'click'"},
        {"select IDC_PROCESS IDC_PROCESS", "wrong arguments for 'select'"},
        {"dpi IDC_PROCESS", "wrong arguments for 'dpi'"},
        {"type 108 unquoted", "wrong arguments for 'type'"},
        {"check 103 2", "wrong arguments for 'check'"},
        {"message \"x\" maybe", "wrong arguments for 'message'"},
        {"expect-rect 1000 \"*\" 1 2 3", "wrong arguments for 'expect-rect'"},
        {"expect-selection 1012", "wrong arguments for 'expect-selection'"},
        {"appdir \"/tmp", "a text has no closing quote"},
        {"appdir \"C:\\temp\"", "unknown escape in a text (use \\n, \\\" or \\\\)"},
        {"\"start\"", "a line starts with a command, not a text"},
    };
    for (const auto& [text, error] : cases) {
        CScriptLine line;
        CString strError;
        EXPECT_FALSE(CScriptLine::Parse(7, text, kNames, line, strError)) << text;
        EXPECT_EQ(strError, error) << text;
    }
}

}  // namespace
