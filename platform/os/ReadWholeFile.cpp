#include "platform/os/ReadWholeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

bool ReadWholeFile(const std::string& fileName, std::size_t limit, std::string& bytes)
{
    auto fail = [&]() -> bool { throw EFOpenError(Format(SFOpenError, {fileName})); };
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail();
    struct Closer {
        int Fd;
        ~Closer() { ::close(Fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return fail();
    if (static_cast<std::uint64_t>(info.st_size) > limit)
        return false;
    // One spare byte shows whether the file grew since fstat.
    bytes.assign(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > limit)
                return false;
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail();
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return true;
}
