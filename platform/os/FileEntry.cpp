#include "platform/os/FileEntry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstring>

namespace {

// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t EpochDelta = 11644473600LL;

FILETIME ToFileTime(const struct statx_timestamp& t)
{
    // Times before 1601 cannot be written as a file time: zero, "no time".
    if (t.tv_sec < -EpochDelta)
        return FILETIME{0, 0};
    const auto ticks = static_cast<std::uint64_t>(t.tv_sec + EpochDelta) * 10000000ULL + t.tv_nsec / 100;
    return UInt64ToFileTime(ticks);
}

}

std::string LastPathComponent(const std::string& path)
{
    std::size_t end = path.size();
    while (end > 0 && path[end - 1] == '/')
        --end;
    const std::size_t slash = path.rfind('/', end == 0 ? 0 : end - 1);
    const std::size_t start = slash == std::string::npos || end == 0 ? 0 : slash + 1;
    return path.substr(start, end - start);
}

bool ReadFileEntry(const std::string& path, const std::string& name, WIN32_FIND_DATAA& entry)
{
    if (path.empty() || name.size() >= sizeof entry.cFileName)
        return false;
    const unsigned mask = STATX_TYPE | STATX_MODE | STATX_INO | STATX_SIZE | STATX_ATIME | STATX_MTIME | STATX_BTIME;
    struct statx st {};
    bool broken = false;
    if (statx(AT_FDCWD, path.c_str(), 0, mask, &st) != 0) {
        if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, mask, &st) != 0 || !S_ISLNK(st.stx_mode))
            return false;
        broken = true;
    }

    std::memset(&entry, 0, sizeof entry);
    std::memcpy(entry.cFileName, name.data(), name.size());
    DWORD attributes = 0;
    if (broken) {
        attributes = FILE_ATTRIBUTE_ARCHIVE;
    } else {
        if (S_ISDIR(st.stx_mode))
            attributes |= FILE_ATTRIBUTE_DIRECTORY;
        else if (S_ISREG(st.stx_mode))
            attributes |= FILE_ATTRIBUTE_ARCHIVE;
        else
            attributes |= FILE_ATTRIBUTE_SYSTEM;
        if ((st.stx_mode & 0222) == 0)
            attributes |= FILE_ATTRIBUTE_READONLY;
        entry.nFileSizeHigh = static_cast<DWORD>(st.stx_size >> 32);
        entry.nFileSizeLow = static_cast<DWORD>(st.stx_size & 0xFFFFFFFF);
    }
    if (!name.empty() && name[0] == '.')
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    entry.dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;

    if (st.stx_mask & STATX_BTIME)
        entry.ftCreationTime = ToFileTime(st.stx_btime);
    entry.ftLastAccessTime = ToFileTime(st.stx_atime);
    entry.ftLastWriteTime = ToFileTime(st.stx_mtime);
    entry.ullDevice = makedev(st.stx_dev_major, st.stx_dev_minor);   // as stat() gives st_dev
    entry.ullInode = st.stx_ino;
    return true;
}
