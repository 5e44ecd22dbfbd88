// The program's icons (resources.h) as Qt images: drawn from the icon's SVG
// when it has one, so that they stay sharp at any size and scale factor,
// else the images of its .ico file.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "platform/windefs.h"

// The sizes an SVG icon is drawn at: an icon theme's usual ones, which also
// cover a 32-pixel icon at a scale factor of up to 8.
inline constexpr int kQtIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon drawn at nSize x nSize pixels; null when it has no SVG or the SVG
// cannot be read.
QImage QtIconImage(HICON hIcon, int nSize);
// Every image of the icon; a null icon when it has none that can be read.
QIcon QtIcon(HICON hIcon);
// The image of nSize x nSize device-independent pixels for the screen's
// scale factor (2 x nSize device pixels at a factor of 2), or the nearest one
// scaled; null when the icon has no images.
QPixmap QtIconPixmap(HICON hIcon, int nSize);
