#include "platform/os/SafeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

namespace {

[[noreturn]] void FailCreate(const std::string& path)
{
    throw EFCreateError(Format(SFCreateError, {path}));
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}

void WriteFileSafely(const std::string& path, std::string_view bytes)
{
    if (path.empty() || path.back() == '/')
        FailCreate(path);
    // An existing folder of that name must not be replaced by a file.
    struct stat existing {};
    bool replacing = ::stat(path.c_str(), &existing) == 0;
    if (replacing && !S_ISREG(existing.st_mode))
        FailCreate(path);

    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        FailCreate(path);
    std::string temp(name.data());

    mode_t mode;
    if (replacing) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        FailCreate(path);
    }
}
