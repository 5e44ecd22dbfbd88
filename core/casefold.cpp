#include "core/casefold.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace {

// Unicode's simple case folding (CaseFolding.txt, statuses C and S) of the
// blocks that names in European scripts use, as runs: every nStride-th
// code point from nFirst to nLast folds to itself + nDelta.
struct FoldRun {
    char32_t nFirst;
    char32_t nLast;
    int nDelta;
    int nStride;
};

constexpr FoldRun kFoldRuns[] = {
    {0x00B5, 0x00B5, 775, 1},     // micro sign to Greek mu
    {0x00C0, 0x00D6, 32, 1},      // À..Ö
    {0x00D8, 0x00DE, 32, 1},      // Ø..Þ
    {0x0100, 0x012E, 1, 2},       // Ā..Į
    {0x0132, 0x0136, 1, 2},       // Ĳ..Ķ
    {0x0139, 0x0147, 1, 2},       // Ĺ..Ň
    {0x014A, 0x0176, 1, 2},       // Ŋ..Ŷ
    {0x0178, 0x0178, -121, 1},    // Ÿ
    {0x0179, 0x017D, 1, 2},       // Ź..Ž
    {0x017F, 0x017F, -268, 1},    // long s
    {0x0370, 0x0372, 1, 2},       // Ͱ..Ͳ
    {0x0376, 0x0376, 1, 1},       // Ͷ
    {0x037F, 0x037F, 116, 1},     // Ϳ
    {0x0386, 0x0386, 38, 1},      // Ά
    {0x0388, 0x038A, 37, 1},      // Έ..Ί
    {0x038C, 0x038C, 64, 1},      // Ό
    {0x038E, 0x038F, 63, 1},      // Ύ..Ώ
    {0x0391, 0x03A1, 32, 1},      // Α..Ρ
    {0x03A3, 0x03AB, 32, 1},      // Σ..Ϋ
    {0x03C2, 0x03C2, 1, 1},       // final sigma
    {0x03CF, 0x03CF, 8, 1},       // Ϗ
    {0x03D0, 0x03D0, -30, 1},     // ϐ
    {0x03D1, 0x03D1, -25, 1},     // ϑ
    {0x03D5, 0x03D5, -15, 1},     // ϕ
    {0x03D6, 0x03D6, -22, 1},     // ϖ
    {0x03D8, 0x03EE, 1, 2},       // Ϙ..Ϯ
    {0x03F0, 0x03F0, -54, 1},     // ϰ
    {0x03F1, 0x03F1, -48, 1},     // ϱ
    {0x03F4, 0x03F4, -60, 1},     // ϴ
    {0x03F5, 0x03F5, -64, 1},     // ϵ
    {0x03F7, 0x03F7, 1, 1},       // Ϸ
    {0x03F9, 0x03F9, -7, 1},      // Ϲ
    {0x03FA, 0x03FA, 1, 1},       // Ϻ
    {0x03FD, 0x03FF, -130, 1},    // Ͻ..Ͽ
    {0x0400, 0x040F, 80, 1},      // Ѐ..Џ
    {0x0410, 0x042F, 32, 1},      // А..Я
    {0x0460, 0x0480, 1, 2},       // Ѡ..Ҁ
    {0x048A, 0x04BE, 1, 2},       // Ҋ..Ҿ
    {0x04C0, 0x04C0, 15, 1},      // Ӏ
    {0x04C1, 0x04CD, 1, 2},       // Ӂ..Ӎ
    {0x04D0, 0x052E, 1, 2},       // Ӑ..Ԯ
    {0x0531, 0x0556, 48, 1},      // Ա..Ֆ
    {0x1E00, 0x1E94, 1, 2},       // Ḁ..Ẕ
    {0x1E9B, 0x1E9B, -58, 1},     // ẛ
    {0x1E9E, 0x1E9E, -7615, 1},   // capital sharp s to ß
    {0x1EA0, 0x1EFE, 1, 2},       // Ạ..Ỿ
};

static_assert(std::is_sorted(std::begin(kFoldRuns), std::end(kFoldRuns),
                             [](const FoldRun& a, const FoldRun& b) { return a.nLast < b.nFirst; }));

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    const FoldRun* pRun = std::lower_bound(std::begin(kFoldRuns), std::end(kFoldRuns), c,
                                           [](const FoldRun& run, char32_t n) { return run.nLast < n; });
    if (pRun == std::end(kFoldRuns) || c < pRun->nFirst || (c - pRun->nFirst) % pRun->nStride != 0)
        return c;
    return static_cast<char32_t>(static_cast<int>(c) + pRun->nDelta);
}

// The code point that starts str at i, moving i past it; nothing for a
// sequence UTF-8 does not allow (stray or missing continuation bytes, an
// overlong form, a surrogate, a value beyond U+10FFFF).
std::optional<char32_t> DecodeUtf8(std::string_view str, size_t& i)
{
    const auto lead = static_cast<unsigned char>(str[i]);
    // A continuation byte cannot lead; 0xC0, 0xC1 and 0xF5.. only ever start
    // an overlong form or a value past U+10FFFF.
    const int nContinuations = lead < 0x80   ? 0
                               : lead < 0xC2 ? -1
                               : lead < 0xE0 ? 1
                               : lead < 0xF0 ? 2
                               : lead < 0xF5 ? 3
                                             : -1;
    if (nContinuations < 0 || str.size() - i <= static_cast<size_t>(nContinuations))
        return std::nullopt;
    char32_t c = lead & (nContinuations == 0 ? 0x7F : 0x7F >> (nContinuations + 1));
    for (int k = 1; k <= nContinuations; ++k) {
        const auto next = static_cast<unsigned char>(str[i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kShortest[nContinuations] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    i += static_cast<size_t>(nContinuations) + 1;
    return c;
}

void AppendUtf8(std::string& str, char32_t c)
{
    if (c < 0x80) {
        str += static_cast<char>(c);
        return;
    }
    std::array<char, 4> bytes{};
    int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    for (int k = n - 1; k > 0; --k, c >>= 6)
        bytes[static_cast<size_t>(k)] = static_cast<char>(0x80 | (c & 0x3F));
    constexpr unsigned char kLeads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    bytes[0] = static_cast<char>(kLeads[n] | c);
    str.append(bytes.data(), static_cast<size_t>(n));
}

std::string FoldAsciiBytes(std::string_view str)
{
    std::string folded(str);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

}  // namespace

std::string FoldCase(std::string_view str)
{
    std::string folded;
    folded.reserve(str.size());
    for (size_t i = 0; i < str.size();) {
        std::optional<char32_t> c = DecodeUtf8(str, i);
        if (!c)
            return FoldAsciiBytes(str);
        AppendUtf8(folded, FoldCodePoint(*c));
    }
    return folded;
}
