// The scenario language's lines: words, quoted texts with their escapes,
// comments, and each command's form.
#include "platform/headless/scriptline.h"

#include <gtest/gtest.h>

namespace {

CScriptLine Parsed(const std::string& text)
{
    CScriptLine line;
    CString strError;
    EXPECT_TRUE(CScriptLine::Parse(7, text, line, strError)) << text << ": " << strError.GetString();
    return line;
}

CString Error(const std::string& text)
{
    CScriptLine line;
    CString strError;
    EXPECT_FALSE(CScriptLine::Parse(7, text, line, strError)) << text;
    return strError;
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
    EXPECT_TRUE(Parsed("").IsEmpty());
    EXPECT_EQ(Parsed("syscommand 0x10").Int(0), 16);
    EXPECT_EQ(Parsed("expect-exists -1 1").Int(0), -1);
    EXPECT_EQ(Parsed("expect-items 1012").ArgCount(), 1) << "no items";
}

TEST(CScriptLineTest, RectanglesTakeStarsForUncheckedEdges)
{
    CScriptLine line = Parsed("expect-rect 1000 * 186 * 208");
    EXPECT_TRUE(line.IsStar(1));
    EXPECT_FALSE(line.IsStar(2));
    EXPECT_EQ(line.Int(4), 208);
    Error("expect-rect 1000 \"*\" 1 2 3");
}

TEST(CScriptLineTest, RejectsLinesThatBreakTheLanguage)
{
    EXPECT_EQ(Error("frobnicate 1"), "unknown command 'frobnicate'");
    EXPECT_EQ(Error("click"), "wrong arguments for 'click'");
    EXPECT_EQ(Error("click 10 11"), "wrong arguments for 'click'");
    EXPECT_EQ(Error("click ten"), "wrong arguments for 'click'");
    EXPECT_EQ(Error("type 108 unquoted"), "wrong arguments for 'type'");
    EXPECT_EQ(Error("check 103 2"), "wrong arguments for 'check'");
    EXPECT_EQ(Error("key space"), "wrong arguments for 'key'");
    EXPECT_EQ(Error("message \"x\" maybe"), "wrong arguments for 'message'");
    EXPECT_EQ(Error("expect-selection 1012"), "wrong arguments for 'expect-selection'");
    EXPECT_EQ(Error("expect-sysmenu-tail"), "wrong arguments for 'expect-sysmenu-tail'");
    EXPECT_EQ(Error("appdir \"/tmp"), "a text has no closing quote");
    EXPECT_EQ(Error("appdir \"C:\\temp\""), "unknown escape in a text (use \\n, \\\" or \\\\)");
    EXPECT_EQ(Error("\"start\""), "a line starts with a command, not a text");
}

}  // namespace
