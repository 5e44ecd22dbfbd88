// The program's icons (the bytes of an .ico file, resources.h) as Qt images.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "platform/windefs.h"

// Every image of the icon; a null icon when it has none that can be read.
QIcon QtIcon(HICON hIcon);
// The image of nSize x nSize pixels, or the nearest one scaled; null when
// the icon has no images.
QPixmap QtIconPixmap(HICON hIcon, int nSize);
