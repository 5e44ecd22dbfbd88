#include "platform/resources.h"

namespace {
const ResourceTable* g_pTable = nullptr;
}

void AfxSetResourceTable(const ResourceTable* pTable)
{
    g_pTable = pTable;
}

const DialogTemplate* AfxFindDialogTemplate(UINT nId)
{
    if (g_pTable)
        for (const DialogTemplate& dialog : g_pTable->dialogs)
            if (dialog.nId == nId)
                return &dialog;
    return nullptr;
}

const char* AfxFindString(UINT nId)
{
    if (g_pTable)
        for (const StringResource& string : g_pTable->strings)
            if (string.nId == nId)
                return string.pszText;
    return nullptr;
}

HICON AfxFindIcon(UINT nId)
{
    if (g_pTable)
        for (const IconResource& icon : g_pTable->icons)
            if (icon.nId == nId)
                return &icon;
    return nullptr;
}
