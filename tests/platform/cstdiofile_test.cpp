#include "platform/cstdiofile.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/tempdir.h"

namespace {

constexpr UINT kTextRead = CFile::modeRead | CFile::typeText;                       // 0x4000
constexpr UINT kTextWrite = CFile::modeCreate | CFile::modeWrite | CFile::typeText;  // 0x5001

std::vector<std::string> ReadLines(const std::string& path)
{
    CStdioFile file;
    EXPECT_TRUE(file.Open(path.c_str(), kTextRead));
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line))
        lines.push_back(line.str());
    return lines;
}

TEST(CStdioFileTest, WritesLineFeedsAsCrLf)
{
    TempDir dir;
    CStdioFile file;
    ASSERT_TRUE(file.Open((dir / "s.txt").c_str(), kTextWrite));
    file.WriteString("one\n");
    file.WriteString("\n");
    file.WriteString("a = b\nlast");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadWholeFile(dir / "s.txt"), "one\r\n\r\na = b\r\nlast");
}

TEST(CStdioFileTest, ReadsCrLfLfAndAnUnterminatedLastLine)
{
    TempDir dir;
    WriteWholeFile(dir / "s.txt", "one\r\ntwo\n\r\n  padded  \nlast");
    EXPECT_EQ(ReadLines(dir / "s.txt"),
              (std::vector<std::string>{"one", "two", "", "  padded  ", "last"}));
}

TEST(CStdioFileTest, EmptyFileHasNoLines)
{
    TempDir dir;
    WriteWholeFile(dir / "s.txt", "");
    EXPECT_TRUE(ReadLines(dir / "s.txt").empty());
}

TEST(CStdioFileTest, LongLinesCrossTheBufferWhole)
{
    TempDir dir;
    std::string longLine(10000, 'x');
    longLine[4095] = '\r';  // a lone CR inside a line stays
    // The next line's CR is the last byte of the third 4096-byte read, its LF
    // the first of the fourth.
    const std::string secondLine(3 * 4096 - 1 - (longLine.size() + 2), 'y');
    WriteWholeFile(dir / "s.txt", longLine + "\r\n" + secondLine + "\r\nnext\n");
    EXPECT_EQ(ReadLines(dir / "s.txt"), (std::vector<std::string>{longLine, secondLine, "next"}));
}

}  // namespace
