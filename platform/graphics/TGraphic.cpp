#include "platform/graphics/TGraphic.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/classes/TypeInfo.h"
#include "platform/os/SafeFile.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Messages.h"

const TClassInfo& TGraphic::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGraphic>("TGraphic", TPersistent::StaticClassInfo()).Build();
    return info;
}

void TGraphic::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed(this);
}

namespace {

// The whole contents of a regular file; EFOpenError for anything that cannot
// be opened or read as one (a folder, a device, a vanished file).
std::string ReadWholeFile(const std::string& fileName)
{
    auto fail = [&]() -> std::string { throw EFOpenError(Format(SFOpenError, {fileName})); };
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
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

}   // namespace

void TGraphic::LoadFromFile(const std::string& fileName)
{
    std::string bytes = ReadWholeFile(fileName);
    LoadFromBytes(bytes);
}

void TGraphic::SaveToFile(const std::string& fileName)
{
    WriteFileSafely(fileName, SaveToBytes());
    FModified = false;
}

void TGraphic::Changed(TObject*)
{
    FModified = true;
    if (Assigned(OnChange))
        OnChange(this);
}
