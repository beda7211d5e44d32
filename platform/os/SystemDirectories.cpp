#include "platform/os/SystemDirectories.h"

#include <cstring>

namespace {

UINT CopyPath(const char* path, LPSTR buffer, UINT size)
{
    const auto length = static_cast<UINT>(std::strlen(path));
    if (!buffer || size <= length)
        return length + 1;
    std::memcpy(buffer, path, length + 1);
    return length;
}

}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size)
{
    return CopyPath("/", buffer, size);
}

UINT GetSystemDirectoryA(LPSTR buffer, UINT size)
{
    return CopyPath("/usr/lib", buffer, size);
}
