#pragma once
// Reading a whole file into memory in one buffer, in as few system calls as
// the file allows.
//
// ReadWholeFile(fileName, limit, bytes) fills bytes with the file's contents
// and returns true; it returns false, reading nothing more, when the file
// holds more than limit bytes. A folder, a device, a missing, vanished or
// unreadable file raises EFOpenError "ファイル <fileName> は開けません".

#include <cstddef>
#include <string>

bool ReadWholeFile(const std::string& fileName, std::size_t limit, std::string& bytes);
