// The scenario language's lines: words, quoted texts with their escapes,
// comments, and each command's form. Ids by number and by name, with their
// offsets, are every scenario's; a wrong one fails its checks.
#include "platform/headless/scriptline.h"

#include <gtest/gtest.h>

namespace {

// A program's names, with their values written out.
const NamedId kNames[] = {
    {"IDC_PROCESS", 1000},
    {"IDC_CHANNEL_LABEL_FIRST", 777},
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

TEST(CScriptLineTest, RejectsLinesThatBreakTheLanguage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"frobnicate 1", "unknown command 'frobnicate'"},
        {"click", "wrong arguments for 'click'"},
        {"click 10x", "wrong arguments for 'click'"},
        {"click ten", "unknown name 'ten'"},
        {"click idc_process", "unknown name 'idc_process'"},
        {"expect-text IDC_CHANNEL_LABEL+2 \"---\"", "unknown name 'IDC_CHANNEL_LABEL'"},
        {"click IDC_PROCESS+", "wrong arguments for 'click'"},
        {"click IDC_PROCESS+0x1", "wrong arguments for 'click'"},
        {"type 108 unquoted", "wrong arguments for 'type'"},
        {"check 103 2", "wrong arguments for 'check'"},
        {"message \"x\" maybe", "wrong arguments for 'message'"},
        {"expect-rect 1000 \"*\" 1 2 3", "wrong arguments for 'expect-rect'"},
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
