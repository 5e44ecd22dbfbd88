// The program's byte strings and Qt's strings. The program's texts and the
// file system's names are UTF-8 on this platform.
#pragma once

#include <QString>

#include "core/cstring.h"

inline QString ToQString(const CString& str)
{
    return QString::fromUtf8(str.GetString(), str.GetLength());
}

inline CString FromQString(const QString& str)
{
    return CString(str.toUtf8().toStdString());
}
