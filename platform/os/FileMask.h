#pragma once
// File-name masks as directory enumeration applies them: "*" matches any
// run of characters, "?" exactly one character (a multi-byte character of
// the active code page counts as one), every other character itself with
// ASCII letters compared without case; "*.*" matches every name, also one
// without a ".". A mask without "*" or "?" is a plain name.

#include <string>

bool HasWildcards(const std::string& mask);
bool MatchesFileMask(const std::string& name, const std::string& mask);

// The order of entries within a directory: names compared with ASCII letters
// folded to upper case, then, for names equal that way, by their bytes.
bool FileNameLess(const std::string& a, const std::string& b);
