#include "cli/jsontext.h"

#include <cstdio>

namespace {

// The length of the valid UTF-8 sequence at the start of text, or 0.
size_t Utf8SequenceLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t nLength = 0;
    unsigned min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        nLength = 2;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        nLength = 3;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        nLength = 4;
        min = 0x10000;
    }
    if (nLength == 0 || text.size() < nLength)
        return 0;
    unsigned code = lead & (0x7Fu >> nLength);
    for (size_t i = 1; i < nLength; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return nLength;
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text[0]);
        size_t nTaken = 1;
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else if (c < 0x80) {
            json += static_cast<char>(c);
        } else if (const size_t nLength = Utf8SequenceLength(text); nLength > 0) {
            json.append(text.substr(0, nLength));
            nTaken = nLength;
        } else {
            json += "\\ufffd";
        }
        text.remove_prefix(nTaken);
    }
    return json + "\"";
}
