#pragma once
// Writing a file without ever leaving a damaged one behind.
//
// WriteFileSafely(path, bytes) writes bytes to a new temporary file beside
// path (same folder, so the final rename cannot cross file systems), flushes
// it to disk and renames it over path only when every byte is stored. On any
// failure the temporary file is removed, a file that already had the name is
// left exactly as it was, and EFCreateError "ファイル <path> を作成できません"
// is raised. A new file gets the usual mode (0666 less the umask); a file that
// is replaced keeps its permission bits.

#include <string>
#include <string_view>

void WriteFileSafely(const std::string& path, std::string_view bytes);
