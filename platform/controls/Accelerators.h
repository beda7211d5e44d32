#pragma once
// Accelerator keys of captions: "&Open" has the hot key O, "&&" is a plain
// ampersand. Captions are UTF-8; a hot key is one character, taken as its
// Unicode code point. CM_DIALOGCHAR carries the typed character the same way
// in its WParam.

#include <string>

// The code point of the caption's hot-key character; 0 when it has none.
char32_t GetHotkey(const std::string& caption);

// True when charCode is the caption's hot key, ASCII letter case ignored.
bool IsAccel(char32_t charCode, const std::string& caption);

// The code point of the first character of UTF-8 text (0 for empty or
// malformed text).
char32_t FirstCodePoint(const std::string& text);
