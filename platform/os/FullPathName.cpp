#include "platform/os/FullPathName.h"

#include <cstring>
#include <string>

#include "platform/rtl/FilePath.h"

DWORD GetFullPathNameA(LPCSTR fileName, DWORD bufferLength, LPSTR buffer, LPSTR* filePart)
{
    if (filePart)
        *filePart = nullptr;
    if (!fileName)
        return 0;
    const std::string full = ExpandFileName(fileName);
    if (full.empty() || full.size() >= 0xFFFFFFFFu)
        return 0;
    const auto length = static_cast<DWORD>(full.size());
    if (!buffer || bufferLength <= length)
        return length + 1;
    std::memcpy(buffer, full.c_str(), full.size() + 1);
    if (filePart && full.back() != '/')
        *filePart = buffer + full.rfind('/') + 1;
    return length;
}
