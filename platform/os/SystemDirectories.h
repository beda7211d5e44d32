#pragma once
// GetWindowsDirectoryA / GetSystemDirectoryA on Linux. There is no Windows
// folder; the nearest meanings are kept fixed so that callers get a real,
// existing directory:
//   Windows directory -> "/"          (the system's own top folder)
//   system directory  -> "/usr/lib"   (where the system's shared libraries live)
// Buffer: when the path and its NUL fit into size bytes they are copied and
// the path's length is returned; otherwise nothing is written and the size
// needed (length + 1) is returned. Never 0 here (0 would mean failure).

#include "platform/os/WinTypes.h"

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);
