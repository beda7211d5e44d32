#include "app/SheetNames.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FilePath.h"

namespace {

// s up to and including its last "/"; "" when it has none.
std::string UpToLastDelimiter(const std::string& s)
{
    std::size_t at = LastDelimiter("/", s);
    return at == std::string::npos ? std::string() : s.substr(0, at + 1);
}

std::string AfterLastDelimiter(const std::string& s)
{
    std::size_t at = LastDelimiter("/", s);
    return at == std::string::npos ? s : s.substr(at + 1);
}

}

std::string SheetFileName(const std::string& directory, int sheetNumber)
{
    std::string trimmed = directory;
    std::size_t last = AnsiLastChar(trimmed);
    if (last != std::string::npos && trimmed[last] == '/')
        trimmed.erase(last);
    return UpToLastDelimiter(directory) + SheetPrefix + AfterLastDelimiter(trimmed) + "_" +
           std::to_string(sheetNumber) + ".jpg";
}

std::string OutputFolder(const std::string& directory)
{
    return UpToLastDelimiter(directory);
}

std::string InformationAddress(const std::string& programPath)
{
    std::string name = AfterLastDelimiter(programPath);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return std::string("http://") + InformationHost + "/info.php?pf=w&sn=" + name;
}

std::string DirectoryArgument(const std::string& argument)
{
    std::string path = argument;
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    std::string lastName = AfterLastDelimiter(path);
    if (lastName == "." || lastName == "..") {
        path = ExpandFileName(path);
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        if (path == "/")
            return {};
    }
    return path;
}
