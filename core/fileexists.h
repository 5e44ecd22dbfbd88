// FileExists: the existence test behind sibling loading. The name is taken
// literally, with no wildcards; letter case counts as the file system
// counts it, so on this platform's usual file systems it is exact.
#pragma once

// True when the name leads to something on disk: a file or a folder,
// through symbolic links. False for an empty name or one that cannot be
// looked at.
bool FileExists(const char* pszPathName);
