#pragma once
// Path helpers of the search components.
//
// WithTrailingBackslash(path) returns path with the delimiter "/" at its end:
// unchanged when its last character (read in the active code page, so a
// double-byte character counts as one) is the single byte "/", else with
// "/" appended. An empty path has no last character and gives "/"; the
// search components never pass one.
//
// GetWindowsDirectory / GetSystemDirectory return what GetWindowsDirectoryA /
// GetSystemDirectoryA report (see platform/os/SystemDirectories.h), exactly
// as reported, or "" when the call fails; they never raise for a failing
// call. The buffer grows as needed: no path is cut short.

#include <string>

std::string WithTrailingBackslash(const std::string& path);
std::string GetWindowsDirectory();
std::string GetSystemDirectory();
