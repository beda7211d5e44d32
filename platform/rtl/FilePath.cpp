#include "platform/rtl/FilePath.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/rtl/CodePage.h"

std::string ExtractFilePath(const std::string& fileName)
{
    const std::size_t i = LastDelimiter("/", fileName);
    return i == std::string::npos ? std::string() : fileName.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& fileName)
{
    const std::size_t i = LastDelimiter("/", fileName);
    return i == std::string::npos ? fileName : fileName.substr(i + 1);
}

std::string ExtractFileExt(const std::string& fileName)
{
    const std::size_t i = LastDelimiter("./", fileName);
    if (i == std::string::npos || fileName[i] != '.')
        return {};
    return fileName.substr(i);
}

std::string FoldPathName(const std::string& path, const std::string& currentDir)
{
    if (path.empty())
        return {};
    std::string joined;
    if (path[0] == PathDelim) {
        joined = path;
    } else {
        if (currentDir.empty() || currentDir[0] != PathDelim)
            return {};
        joined = currentDir + PathDelim + path;
    }

    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = joined.find(PathDelim, start);
        if (end == std::string::npos)
            end = joined.size();
        const std::string part = joined.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }

    std::string folded;
    for (const std::string& part : parts)
        folded += PathDelim + part;
    // A trailing "/" says "this folder" and is kept; "x/." and "x/.." name
    // the folder too but, written without one, stay without one.
    if (folded.empty() || path.back() == PathDelim)
        folded += PathDelim;
    return folded;
}

std::string GetCurrentDir()
{
    std::vector<char> buffer(256);
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()))
            return buffer.data();
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExpandFileName(const std::string& fileName)
{
    if (fileName.empty())
        return {};
    if (fileName[0] == PathDelim)
        return FoldPathName(fileName, {});
    return FoldPathName(fileName, GetCurrentDir());
}
