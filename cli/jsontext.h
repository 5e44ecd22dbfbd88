// JSON written by hand: strings quoted and escaped so that any path or name
// gives valid JSON.
#pragma once

#include <string>
#include <string_view>

// text as a JSON string, quotes included: '"', '\' and control characters
// escaped, valid UTF-8 kept, and each byte that is not part of valid UTF-8
// replaced by U+FFFD, since JSON text is UTF-8.
std::string JsonString(std::string_view text);
