#include "platform/os/FindFile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/FileEntry.h"
#include "platform/os/FileMask.h"

namespace {

struct FindState {
    std::string DirPart;   // "" or ending in "/"
    std::vector<std::string> Names;
    std::size_t Next = 0;
};

bool IsRootDirectory(const std::string& dir)
{
    struct stat d {}, root {};
    return stat(dir.c_str(), &d) == 0 && stat("/", &root) == 0 && d.st_dev == root.st_dev && d.st_ino == root.st_ino;
}

std::vector<std::string> ListMatches(const std::string& dir, const std::string& mask)
{
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d)
        return names;
    bool dot = false, dotDot = false;
    // A read error ends the listing like its end: what was read stands.
    while (const dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (name == ".")
            dot = true;
        else if (name == "..")
            dotDot = true;
        else if (MatchesFileMask(name, mask))
            names.push_back(name);
    }
    closedir(d);
    std::sort(names.begin(), names.end(), FileNameLess);
    if ((dot || dotDot) && !IsRootDirectory(dir)) {
        std::vector<std::string> first;
        if (dot && MatchesFileMask(".", mask))
            first.push_back(".");
        if (dotDot && MatchesFileMask("..", mask))
            first.push_back("..");
        names.insert(names.begin(), first.begin(), first.end());
    }
    return names;
}

// The next entry of state that can still be examined.
bool ReadNext(FindState& state, WIN32_FIND_DATAA& data)
{
    while (state.Next < state.Names.size()) {
        const std::string& name = state.Names[state.Next++];
        if (ReadFileEntry(state.DirPart + name, name, data))
            return true;
    }
    return false;
}

}

BOOL GetFileEntryA(LPCSTR path, WIN32_FIND_DATAA* findFileData)
{
    if (!path || !findFileData)
        return FALSE;
    const std::string p = path;
    if (p.empty() || p.back() == '/')
        return FALSE;
    return ReadFileEntry(p, LastPathComponent(p), *findFileData) ? TRUE : FALSE;
}

HANDLE FindFirstFileA(LPCSTR fileName, WIN32_FIND_DATAA* findFileData)
{
    if (!fileName || !findFileData)
        return INVALID_HANDLE_VALUE;
    const std::string pattern = fileName;
    if (pattern.empty() || pattern.back() == '/')
        return INVALID_HANDLE_VALUE;
    const std::size_t slash = pattern.rfind('/');
    const std::string dirPart = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string mask = pattern.substr(dirPart.size());

    auto state = std::make_unique<FindState>();
    state->DirPart = dirPart;
    if (HasWildcards(mask)) {
        state->Names = ListMatches(dirPart.empty() ? "." : dirPart, mask);
        if (!ReadNext(*state, *findFileData))
            return INVALID_HANDLE_VALUE;
    } else if (!GetFileEntryA(fileName, findFileData)) {
        // Names match without regard to ASCII case, also a plain one: when
        // the exact name is not there, the first entry equal to it that way.
        state->Names = ListMatches(dirPart.empty() ? "." : dirPart, mask);
        state->Names.erase(std::remove_if(state->Names.begin(), state->Names.end(),
                                          [](const std::string& n) { return n == "." || n == ".."; }),
                           state->Names.end());
        if (state->Names.size() > 1)
            state->Names.resize(1);
        if (!ReadNext(*state, *findFileData))
            return INVALID_HANDLE_VALUE;
    }
    return state.release();
}

BOOL FindNextFileA(HANDLE findFile, WIN32_FIND_DATAA* findFileData)
{
    if (!findFile || findFile == INVALID_HANDLE_VALUE || !findFileData)
        return FALSE;
    return ReadNext(*static_cast<FindState*>(findFile), *findFileData) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE findFile)
{
    if (!findFile || findFile == INVALID_HANDLE_VALUE)
        return FALSE;
    delete static_cast<FindState*>(findFile);
    return TRUE;
}
