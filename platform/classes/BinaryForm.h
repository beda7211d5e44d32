#pragma once
// The binary form format ("TPF0"), read into and written from a TFormObject.
// The layout is described in TFormObject.h.
//
// Failure: ReadBinaryForm raises EReadError naming what is wrong and its byte
// offset for a stream that is truncated, has a bad signature or type byte, a
// length beyond the data, or nests deeper than kMaxFormDepth; it reads
// nothing out of range. Bytes after the root object are ignored (resources
// may be padded). WriteBinaryForm raises EWriteError for a name or
// identifier longer than 255 bytes.

#include <string>
#include <string_view>

#include "platform/classes/TFormObject.h"

inline constexpr int kMaxFormDepth = 64;

TFormObject ReadBinaryForm(std::string_view bytes);
std::string WriteBinaryForm(const TFormObject& form);
