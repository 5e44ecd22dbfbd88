// FoldCase: a name with its letter case folded away, so that two names equal
// ignoring letter case fold to the same bytes.
#pragma once

#include <string>
#include <string_view>

// Valid UTF-8 gets Unicode's simple case folding (one character for one) of
// ASCII, Latin-1 Supplement, Latin Extended-A, Latin Extended Additional,
// Greek, Cyrillic and Armenian; other characters stay as they are. Anything
// that is not valid UTF-8 (a name written in a single-byte code page) folds
// only its ASCII letters, byte by byte.
std::string FoldCase(std::string_view str);
