// The program icon's .ico file, for the resource table.
#pragma once

#include <span>

extern const std::span<const unsigned char> kPlexoraIcoFile;
