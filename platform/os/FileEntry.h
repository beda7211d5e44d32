#pragma once
// How a file-system object looks as a directory entry (the one place the
// mapping lives; FindFirstFileA and GetFileAttributesA both use it):
//  - an entry is what it points to: a link to a directory is a directory;
//    a broken link is a file (archive, size 0, the link's own times);
//  - directory 0x10; read-only 0x01 when no write bit is set; hidden 0x02
//    for names beginning with "."; system 0x04 for what is neither a regular
//    file nor a directory (devices, pipes, sockets); archive 0x20 for regular
//    files; nothing set gives FILE_ATTRIBUTE_NORMAL (0x80);
//  - last write from st_mtime, last access from st_atime, creation from the
//    birth time when the file system reports it (statx), else zero;
//  - sizes are 64-bit, split into the high and low words.
//
// ReadFileEntry fills entry for path, naming it name (the entry's own
// name: it decides the hidden bit and becomes cFileName). It returns false,
// leaving entry undefined, when path cannot be examined or name does not fit
// cFileName.

#include <string>

#include "platform/os/WinTypes.h"

bool ReadFileEntry(const std::string& path, const std::string& name, WIN32_FIND_DATAA& entry);

// The last component of path, ignoring trailing "/" ("" for "/" and "").
std::string LastPathComponent(const std::string& path);
