// The base name shared by a set of sibling files: the path without its last
// 4 bytes (whatever they are), and without the speaker suffix when what is
// left ends with it. Bytes are compared exactly, letter case included; an
// empty suffix removes nothing.
#pragma once

#include "platform/core/cstring.h"

CString GetBaseName(const CString& strPath, const CString& strSuffix);
