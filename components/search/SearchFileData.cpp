#include "components/search/SearchFileData.h"

#include <cstring>

#include "platform/os/FileTime.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FileDate.h"

namespace {

// Text of a fixed name buffer up to its first NUL, never past its end.
std::string BufferText(const char* buffer, std::size_t size)
{
    const void* nul = std::memchr(buffer, '\0', size);
    return std::string(buffer, nul ? static_cast<const char*>(nul) - buffer : size);
}

}

bool FileTimeToDateTime(const FILETIME& fileTime, TDateTime& dateTime)
{
    // The zero time is the file system's "no time": the conversion would
    // refuse it anyway (1601 is before the DOS epoch).
    FILETIME local {};
    if (!FileTimeToLocalFileTime(&fileTime, &local))
        return false;
    WORD dosDate = 0;
    WORD dosTime = 0;
    if (!FileTimeToDosDateTime(&local, &dosDate, &dosTime))
        return false;
    const std::uint32_t stamp = (static_cast<std::uint32_t>(dosDate) << 16) | dosTime;
    try {
        dateTime = FileDateToDateTime(stamp);
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

void FillSearchFileData(const WIN32_FIND_DATAA& entry, TSearchFileData& data)
{
    data.FileName = BufferText(entry.cFileName, sizeof entry.cFileName);
    std::string alternate = BufferText(entry.cAlternateFileName, sizeof entry.cAlternateFileName);
    data.ShortName = alternate.empty() ? data.FileName : alternate;
    data.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                          static_cast<std::uint64_t>(entry.nFileSizeLow));
    data.CreationTimeValid = FileTimeToDateTime(entry.ftCreationTime, data.CreationTime);
    data.LastWriteTimeValid = FileTimeToDateTime(entry.ftLastWriteTime, data.LastWriteTime);
    data.LastAccessTimeValid = FileTimeToDateTime(entry.ftLastAccessTime, data.LastAccessTime);
    const DWORD a = entry.dwFileAttributes;
    data.IsDirectory = (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    data.IsReadOnly = (a & FILE_ATTRIBUTE_READONLY) != 0;
    data.IsHidden = (a & FILE_ATTRIBUTE_HIDDEN) != 0;
    data.IsSystem = (a & FILE_ATTRIBUTE_SYSTEM) != 0;
    data.IsArchive = (a & FILE_ATTRIBUTE_ARCHIVE) != 0;
}
