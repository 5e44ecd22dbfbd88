#include "layout/basename.h"

CString GetBaseName(const CString& strPath, const CString& strSuffix)
{
    CString strBase = strPath.Left(strPath.GetLength() - 4);
    if (strBase.EndsWith(strSuffix))
        strBase = strBase.Left(strBase.GetLength() - strSuffix.GetLength());
    return strBase;
}
