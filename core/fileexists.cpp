#include "core/fileexists.h"

#include <sys/stat.h>

bool FileExists(const char* pszPathName)
{
    struct stat st;
    return pszPathName != nullptr && ::stat(pszPathName, &st) == 0;
}
