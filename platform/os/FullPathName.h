#pragma once
// GetFullPathNameA: joins a relative path to the current directory and folds
// "." and ".." components and repeated "/" lexically, keeping a trailing
// "/"; links are not resolved (FoldPathName in platform/rtl/FilePath.h does
// the work, so ExpandFileName and this call always agree).
//
// Buffer: when the full path and its NUL fit into bufferLength bytes, they
// are copied to buffer and the path's length is returned; otherwise nothing
// is written and the size needed (length + 1) is returned, so a caller can
// grow its buffer and call again. 0 on failure (empty name, unreadable
// current directory). *filePart, when asked for, points at the last
// component in buffer, or is null when the path ends in "/".

#include "platform/os/WinTypes.h"

DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart);
