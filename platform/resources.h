// The program's resources: dialog templates, strings and icons by id. The
// program registers its table once; the layer looks ids up in it.
#pragma once

#include <span>
#include <string_view>

#include "platform/dialogtemplate.h"
#include "platform/windefs.h"

struct StringResource {
    UINT nId;
    const char* pszText;
};

// An icon: the bytes of an .ico file holding its images (empty when the
// program has no images for it), and the same icon as an SVG drawing, which
// a backend that shows icons prefers: it is sharp at every size and scale
// (empty when there is none).
struct IconResource {
    UINT nId;
    std::span<const unsigned char> icoFile;
    std::string_view svgFile;
};

struct ResourceTable {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
    std::span<const IconResource> icons;
};

void AfxSetResourceTable(const ResourceTable* pTable);
const DialogTemplate* AfxFindDialogTemplate(UINT nId);
// Null when the table has no such string.
const char* AfxFindString(UINT nId);
HICON AfxFindIcon(UINT nId);
