#include "core/cstring.h"

#include <gtest/gtest.h>

#include "core/casefold.h"

namespace {

// Names equal ignoring letter case fold alike: Unicode's simple case folding
// in UTF-8, ASCII letters only in anything else. CompareNoCase compares the
// folded names; the settings scenarios refuse a name taken in other letters.
TEST(CStringTest, FoldCaseFoldsUtf8AsUnicodeAndOtherBytesAsAscii)
{
    struct Row {
        const char* pszName;
        const char* pszFolded;
    };
    const Row rows[] = {
        // ASCII: the letters only, the neighbours of A-Z untouched.
        {"Surround 5.1", "surround 5.1"},
        {"@AZ[`az{", "@az[`az{"},
        // Latin-1 Supplement and Latin Extended-A, with their odd ones: the
        // multiplication sign between Ö and Ø, Ÿ whose small letter is in
        // Latin-1, the dotted capital I (no one-letter folding), long s.
        {"ÀÖ×ØÞ", "àö×øþ"},
        {"ŸĀŁŹŽ", "ÿāłźž"},
        {"İıſ", "İıs"},
        {"\xC2\xB5", "\xCE\xBC"},  // the micro sign folds to Greek mu
        // ß has no one-letter capital but ẞ, and never becomes "ss".
        {"STRAẞE", "straße"},
        // Greek: final sigma as sigma, the accented capitals.
        {"ΣΟΦΊΑς", "σοφίασ"},
        // Cyrillic: the first 16 capitals lie 80 below their small letters,
        // the next 32 lie 32 below, then pairs; Armenian; Vietnamese.
        {"ЁЖЯ", "ёжя"},
        {"ҐӀ", "ґӏ"},
        {"ԱՖ", "աֆ"},
        {"ỆỸ", "ệỹ"},
        {"立体声", "立体声"},
        {"\xF0\x9F\x8E\xB5" "A", "\xF0\x9F\x8E\xB5" "a"},  // a character of four bytes
        // Not UTF-8: only ASCII letters change, whatever surrounds the fault.
        {"\xC9T\xC9", "\xC9t\xC9"},
        {"ÉT\xFF", "\xC3\x89t\xFF"},
        {"A\xC3", "a\xC3"},                    // cut short
        {"A\xC3" "A", "a\xC3" "a"},            // a continuation missing
        {"\x80" "A", "\x80" "a"},              // a stray continuation
        {"\xC1\x81" "A", "\xC1\x81" "a"},      // 'A' written overlong
        {"\xE0\x83\x81" "A", "\xE0\x83\x81" "a"},  // the same in three bytes
        {"\xED\xA0\x80" "A", "\xED\xA0\x80" "a"},  // a surrogate
        {"\xF4\x90\x80\x80" "A", "\xF4\x90\x80\x80" "a"},  // past U+10FFFF
    };
    for (const Row& row : rows)
        EXPECT_EQ(FoldCase(row.pszName), row.pszFolded) << row.pszName;
}

}  // namespace
