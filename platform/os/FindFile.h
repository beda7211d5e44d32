#pragma once
// Directory enumeration: FindFirstFileA / FindNextFileA / FindClose.
//
// A pattern is a directory part and a mask ("/photos/*.jpg"; no "/" means
// the current directory). The directory part is taken literally; the mask is
// matched as FileMask.h says. Entries come sorted by FileNameLess, "." and
// ".." first when the mask matches them (a root directory has neither, as a
// drive root has none). A mask without wildcards names one entry: the
// exact name when it exists, else the first entry equal to it without regard
// to ASCII case. A pattern ending in "/" finds nothing. Entries are described
// as FileEntry.h says. The whole listing is read when the enumeration is
// opened, so its order is stable; an entry removed meanwhile is passed over.
//
// Ownership: the HANDLE that FindFirstFileA returns belongs to the caller,
// who closes it with FindClose (or holds it in a ScopedFind).
//
// Failure: FindFirstFileA returns INVALID_HANDLE_VALUE when nothing matches
// or the directory cannot be read (missing, not a directory, no permission);
// FindNextFileA returns FALSE at the end; FindClose returns FALSE for a handle
// that is not open. Nothing raises.

#include "platform/os/WinTypes.h"

HANDLE FindFirstFileA(LPCSTR fileName, WIN32_FIND_DATAA* findFileData);
BOOL FindNextFileA(HANDLE findFile, WIN32_FIND_DATAA* findFileData);
BOOL FindClose(HANDLE findFile);

// Linux only: the entry for path itself, with every character of its last
// component taken literally ("*" and "?" are ordinary in Linux names). FALSE
// when path cannot be examined or ends in "/".
BOOL GetFileEntryA(LPCSTR path, WIN32_FIND_DATAA* findFileData);
