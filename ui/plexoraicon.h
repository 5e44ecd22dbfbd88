// The program icon: its .ico file, and the SVG drawing (plexoraicon.svg)
// that the desktop shows at every size, for the resource table.
#pragma once

#include <span>
#include <string_view>

extern const std::span<const unsigned char> kPlexoraIcoFile;
extern const std::string_view kPlexoraIconSvg;
