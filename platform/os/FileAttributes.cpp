#include "platform/os/FileAttributes.h"

#include <sys/stat.h>

#include <string>

#include "platform/os/FileEntry.h"

DWORD GetFileAttributesA(LPCSTR fileName)
{
    if (!fileName || !*fileName)
        return INVALID_FILE_ATTRIBUTES;
    WIN32_FIND_DATAA entry;
    if (!ReadFileEntry(fileName, LastPathComponent(fileName), entry))
        return INVALID_FILE_ATTRIBUTES;
    return entry.dwFileAttributes;
}

BOOL GetFileIdentityA(LPCSTR fileName, std::uint64_t* device, std::uint64_t* inode)
{
    struct stat st {};
    if (!fileName || !*fileName || stat(fileName, &st) != 0)
        return FALSE;
    if (device)
        *device = st.st_dev;
    if (inode)
        *inode = st.st_ino;
    return TRUE;
}
