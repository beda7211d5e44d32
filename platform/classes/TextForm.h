#pragma once
// The text syntax of forms, parsed into and printed from a TFormObject:
//
//   object MainForm1: TMainForm1        (also inherited / inline, [n] child position)
//     Left = 107                        integers: -12, $1F; 1.5 extended, 1.5s single,
//     Caption = 'It''s'#13#10 +         1.5c currency, 1.5d date
//       'next line'                     strings: '...' with '' for a quote, #nnn code points
//     Font.Style = [fsBold, fsItalic]   sets; identifiers True False nil clWhite
//     Glyph.Data = {0A0B 0C0D}          binary data in hex, over several lines
//     Lines.Strings = ('a' 'b')         lists; collections: < item A = 1 end >
//     object Image1: TImage ... end
//   end
//
// Strings: a string made only of ASCII characters becomes an 8-bit string
// value (vaString, or vaLString beyond 255 bytes); any other becomes a wide
// string (vaWString). The parser takes non-ASCII text as raw UTF-8 or as #nnn
// (a UTF-16 unit, or a code point above U+FFFF); the printer writes every
// character outside printable ASCII as #nnn, one per UTF-16 unit, so the
// text is plain ASCII. Keywords and True/False/nil/Null are case-insensitive.
//
// Failure: ParseTextForm raises EParserError "line N: ..." naming what was
// expected; PrintTextForm raises EWriteError for a float that is not finite
// and for a name or identifier the syntax cannot hold (as a binary form
// from elsewhere may have), so what it prints always parses.

#include <string>
#include <string_view>

#include "platform/classes/TFormObject.h"
#include "platform/rtl/Exception.h"

RUPINAKO_EXCEPTION(EParserError, EReadError);

TFormObject ParseTextForm(std::string_view text);
std::string PrintTextForm(const TFormObject& form);

// Text to binary form and back, as the form compiler does.
std::string ObjectTextToBinary(std::string_view text);
std::string ObjectBinaryToText(std::string_view binary);
