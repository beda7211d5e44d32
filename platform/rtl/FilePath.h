#pragma once
// Path names: "/" is the one delimiter; there are no drives.
//
// Every function is lexical: nothing is looked up on disk, links are not
// resolved. Delimiters are found with LastDelimiter, so a trail byte of a
// double-byte character is never taken for one.
//
//   ExtractFilePath("/a/b/c.jpg") == "/a/b/"    (up to and including the last "/")
//   ExtractFileName("/a/b/c.jpg") == "c.jpg"
//   ExtractFileExt("/a/b/c.jpg")  == ".jpg"     ("" when the name has no ".")
//   ExpandFileName("x/../y/")     == "<current directory>/y/"
//
// Failure: ExpandFileName gives "" for "" and when a relative path meets a
// current directory that cannot be read (removed); nothing raises.

#include <string>

inline constexpr char PathDelim = '/';

std::string ExtractFilePath(const std::string& fileName);
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);

// The full path of fileName: a relative path is joined to the current
// directory, then folded by FoldPathName.
std::string ExpandFileName(const std::string& fileName);

// Joins a relative path to currentDir (itself absolute) and folds "." and
// ".." components and runs of "/", keeping one trailing "/" when the path has
// one. ".." at the root stays at the root. "" when path is empty, or relative
// with an empty or relative currentDir.
std::string FoldPathName(const std::string& path, const std::string& currentDir);

// The process's current directory; "" when it cannot be read.
std::string GetCurrentDir();
