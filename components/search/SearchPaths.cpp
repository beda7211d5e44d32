#include "components/search/SearchPaths.h"

#include <vector>

#include "platform/os/SystemDirectories.h"
#include "platform/rtl/CodePage.h"

namespace {

std::string AskDirectory(UINT (*call)(LPSTR, UINT))
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const UINT n = call(buffer.data(), static_cast<UINT>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::string(buffer.data());
        // Too small: n is the size needed. Grow and ask again.
        buffer.resize(n);
    }
}

}

std::string WithTrailingBackslash(const std::string& path)
{
    const std::size_t last = AnsiLastChar(path);
    if (last != std::string::npos && last == path.size() - 1 && path[last] == '/')
        return path;
    return path + '/';
}

std::string GetWindowsDirectory()
{
    return AskDirectory(GetWindowsDirectoryA);
}

std::string GetSystemDirectory()
{
    return AskDirectory(GetSystemDirectoryA);
}
