#include "platform/resources.h"

#include "core/cstring.h"

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

// A CString member, defined here because the strings live in the program's
// resource table: code that links only the core never loads one.
bool CString::LoadString(UINT nID)
{
    const char* psz = AfxFindString(nID);
    *this = psz ? psz : "";
    return !IsEmpty();
}
