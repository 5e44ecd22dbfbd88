#include "platform/core/cstdiofile.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/tempdir.h"

namespace {

// Text reading takes CR LF and LF alike; the writing side is checked by the
// settings files, byte for byte.
TEST(CStdioFileTest, ReadsCrLfLfAndAnUnterminatedLastLine)
{
    std::string longLine(10000, 'x');
    longLine[4095] = '\r';  // a lone CR inside a line stays
    // The next line's CR is the last byte of the third 4096-byte read, its LF
    // the first of the fourth.
    const std::string secondLine(3 * 4096 - 1 - (longLine.size() + 2), 'y');
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"one\r\ntwo\n\r\n  padded  \nlast", {"one", "two", "", "  padded  ", "last"}},
        {"", {}},
        {longLine + "\r\n" + secondLine + "\r\nnext\n", {longLine, secondLine, "next"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteWholeFile(dir / "s.txt", c.bytes);
        CStdioFile file;
        ASSERT_TRUE(file.Open((dir / "s.txt").c_str(), CFile::modeRead | CFile::typeText));
        std::vector<std::string> lines;
        CString line;
        while (file.ReadString(line))
            lines.push_back(line.str());
        EXPECT_EQ(lines, c.lines) << c.bytes.substr(0, 40);
    }
}

}  // namespace
