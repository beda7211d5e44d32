#pragma once
// GetFileAttributesA: the attribute word of path, mapped as FileEntry.h
// says (a link counts as what it points to; the hidden bit comes from the
// last component's name). INVALID_FILE_ATTRIBUTES (all 32 bits set) when
// path is empty or cannot be found. A trailing "/" is allowed on a
// directory and fails on anything else, as the kernel decides.

#include <cstdint>

#include "platform/os/WinTypes.h"

DWORD GetFileAttributesA(LPCSTR fileName);

// Linux only: the device and inode of what path is (after following links),
// the identity by which a walk recognises a directory it has reached before.
// FALSE when path cannot be examined.
BOOL GetFileIdentityA(LPCSTR fileName, std::uint64_t* device, std::uint64_t* inode);
