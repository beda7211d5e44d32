#pragma once
// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes away. Tests build real trees in it.

#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string Str() const { return FPath.string(); }
    // Path of a name below the directory (no file is made).
    std::string operator/(const std::string& name) const { return (FPath / name).string(); }
    // Writes a file (making its folders) and returns its full path.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const;
    // Makes a folder (and its parents) and returns its full path.
    std::string MakeDir(const std::string& relative) const;

private:
    std::filesystem::path FPath;
};

// The whole contents of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
