#pragma once
// The names the program makes: sheet files and the information address.
//
// SheetFileName(directory, n): the folder part of directory (up to and
// including its last "/"; empty when it has none) + "１：１ルピナ ～ " + the
// last name of directory (one trailing "/" removed first) + "_" + n + ".jpg".
//   "/photos/Trip", 1   -> "/photos/１：１ルピナ ～ Trip_1.jpg"
//   "/photos/Trip/", 2  -> "/photos/Trip/１：１ルピナ ～ Trip_2.jpg"
//   "Trip", 3           -> "１：１ルピナ ～ Trip_3.jpg" (the current folder)
// Delimiters are found double-byte aware, so a folder name keeps every
// character whole.
//
// OutputFolder(directory): directory cut after its last "/" (the folder that
// holds the sheets); "" when it has none.
//
// InformationAddress(programPath): the information page for the program
// file: "http://" + InformationHost + "/info.php?pf=w&sn=" + the program's
// file name without folder and extension, not escaped.
//
// DirectoryArgument(argument): the argument as the directory test takes it:
// trailing "/" removed (shells add one when they complete a folder name); an
// argument made of "/" alone gives "" and is skipped like a drive root.
// A last name of "." or ".." is expanded to the full path, so that the sheet
// is named after the real folder and lies beside it.

#include <string>

inline constexpr const char* SheetPrefix = "１：１ルピナ ～ ";
inline constexpr const char* InformationHost = "rupinako.example.jp";

std::string SheetFileName(const std::string& directory, int sheetNumber);
std::string OutputFolder(const std::string& directory);
std::string InformationAddress(const std::string& programPath);
std::string DirectoryArgument(const std::string& argument);
