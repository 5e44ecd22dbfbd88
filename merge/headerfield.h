// The names of the bytes of a header that ComposeOutputHeader made, for a
// check that finds a file differing from it there.
#pragma once

#include <span>
#include <string>

#include "core/types.h"

// "the RIFF size", "the \"fmt \" chunk's channel mask", "byte 3 of the
// \"bext\" chunk", ... for the byte at nOffset of header.
std::string NameHeaderField(std::span<const BYTE> header, ULONGLONG nOffset);
