// The two folders a bare file name can mean, and the key that tells one working folder
// from another: the arithmetic, apart from the calls that ask the system for them.
#pragma once
#include <cstddef>
#include <cstdint>

// A name with no drive and no leading backslash is relative. It means the file in the
// working folder when that exists, else the one in the program's folder when that exists,
// else the working folder's (which then fails to open under a name that says where it was
// looked for). Each folder ends in a backslash. Any other path is kept as it is, and so
// is a relative one that would not fit.
void ResolveRelativeFile(const char* path, const char* workingFolder, const char* programFolder,
                         bool (*exists)(const char* path), char* resolved, size_t size);

// FNV-1a over the folder's bytes, which the caller has case-folded: two spellings of one
// folder give one key.
uint64_t FolderKey(const char* foldedFolder);
