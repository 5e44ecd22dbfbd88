#include "platform/core/cstdiofile.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/tempdir.h"

namespace {

constexpr size_t kReadChunk = 65536;  // what one read of the file takes
constexpr size_t kMiB = 1 << 20;

// Text reading takes CR LF, LF and a lone CR alike, and keeps at most 1 MiB
// of a line; the writing side is checked by the settings files, byte for
// byte.
TEST(CStdioFileTest, ReadsEveryLineEndAndCutsLongLines)
{
    const std::string longLine(10000, 'x');
    // The next line's CR is the last byte of the first read, its LF the
    // first byte of the second.
    const std::string secondLine(kReadChunk - 1 - (longLine.size() + 2), 'y');
    const std::string mebibyte(kMiB, 'm');
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"one\r\ntwo\n\r\n  padded  \nlast", {"one", "two", "", "  padded  ", "last"}},
        {"", {}},
        {longLine + "\r\n" + secondLine + "\r\nnext\n", {longLine, secondLine, "next"}},
        // CR alone ends a line, as written by hand on old systems; CR CR LF
        // is two line ends.
        {"one\rtwo\r\rthree\r", {"one", "two", "", "three"}},
        {"a\r\r\nb\n\rc", {"a", "", "b", "", "c"}},
        // At 1 MiB a line is cut and the rest of it skipped, over many reads.
        {mebibyte + "\n" + mebibyte + "cut\rnext", {mebibyte, mebibyte, "next"}},
        {"first\n" + std::string(3 * kMiB + 5, 'z'), {"first", std::string(kMiB, 'z')}},
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
