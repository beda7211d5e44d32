#pragma once
// ShellExecuteA: hands a folder, file or address to the desktop.
//
// Only the verb "OPEN" (any case; an empty verb means the same) does
// anything; any other verb does nothing and reports SE_ERR_NOASSOC. For OPEN:
//   - when RUPINAKO_OPENER names a program (found through PATH like a command,
//     but not split or interpreted by a shell), that program is started with
//     the target, exactly as given, as its only argument, in `directory` when
//     that is not empty, and ShellExecuteA waits for it to end. It is a test
//     hook: the caller can read what the opener recorded as soon as the call
//     returns;
//   - otherwise the desktop's default handler opens it (GIO; without GIO,
//     xdg-open). An address with a scheme ("http://…") is passed as it is; a
//     path is made absolute (against `directory` when given, else the current
//     folder) and passed as a file:// URI. The handler is not waited for.
// `parameters` and `showCommand` are accepted for the caller's sake; a folder
// or an address takes no parameters, and the desktop decides how to show it.
//
// Returns a value above 32 when the target was handed over, as the original
// platform does, and an error code at or below 32 otherwise (2: the target
// does not exist or the opener could not be started; 31: no handler, or the
// verb is not OPEN). Never throws.

#include <cstdint>
#include <string>

inline constexpr int SW_SHOW = 5;
inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;

std::intptr_t ShellExecuteA(std::uintptr_t window, const std::string& verb, const std::string& target,
                            const std::string& parameters, const std::string& directory, int showCommand);

// The same, for callers that hold the window as a pointer.
inline std::intptr_t ShellExecuteA(const void* window, const std::string& verb, const std::string& target,
                                   const std::string& parameters, const std::string& directory, int showCommand)
{
    return ShellExecuteA(reinterpret_cast<std::uintptr_t>(window), verb, target, parameters, directory, showCommand);
}
