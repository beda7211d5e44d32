#include "platform/rtl/CommandLine.h"

#include <unistd.h>

#include <vector>

#include "platform/rtl/FilePath.h"

namespace {

std::vector<std::string> gArgs;

std::string RunningProgramPath()
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}

void SetCommandLine(int argc, const char* const* argv)
{
    gArgs.clear();
    for (int i = 0; i < argc && argv && argv[i]; ++i)
        gArgs.emplace_back(argv[i]);
}

int ParamCount()
{
    return gArgs.empty() ? 0 : static_cast<int>(gArgs.size()) - 1;
}

std::string ParamStr(int index)
{
    if (index == 0) {
        std::string exe = RunningProgramPath();
        if (!exe.empty())
            return exe;
        return gArgs.empty() ? std::string() : ExpandFileName(gArgs[0]);
    }
    if (index < 0 || index >= static_cast<int>(gArgs.size()))
        return {};
    return gArgs[static_cast<std::size_t>(index)];
}
