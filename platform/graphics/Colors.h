#pragma once
// Colour values and their conversion to pixels.
//
// TColor is the class library's 32-bit signed colour value:
//   0x00BBGGRR   an RGB colour, red in the low byte;
//   0x800000ii   a system colour, index ii into the system colour table,
//                resolved to RGB by ColorToRGB only when it is painted;
//   clNone (0x1FFFFFFF) no colour at all; clDefault (0x20000000) the owner's
//   default. Neither is a system colour: ColorToRGB returns them unchanged.
// A pixel word is the 0x00RRGGBB layout of our 32-bit pixel buffers (blue is
// the first byte in memory); ColorToPixelWord turns a colour into one.
//
// ColorIdents() is the identifier table forms use for colour properties
// ("clWhite", "clWindowText"); it lists every named colour below.

#include <cstdint>
#include <string>

#include "platform/classes/TypeInfo.h"

using TColor = std::int32_t;

constexpr TColor SystemColorBit = static_cast<TColor>(0x80000000u);

// Basic colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

// System colours: SystemColorBit | index.
constexpr TColor clScrollBar = SystemColorBit | 0;
constexpr TColor clBackground = SystemColorBit | 1;
constexpr TColor clActiveCaption = SystemColorBit | 2;
constexpr TColor clInactiveCaption = SystemColorBit | 3;
constexpr TColor clMenu = SystemColorBit | 4;
constexpr TColor clWindow = SystemColorBit | 5;
constexpr TColor clWindowFrame = SystemColorBit | 6;
constexpr TColor clMenuText = SystemColorBit | 7;
constexpr TColor clWindowText = SystemColorBit | 8;
constexpr TColor clCaptionText = SystemColorBit | 9;
constexpr TColor clActiveBorder = SystemColorBit | 10;
constexpr TColor clInactiveBorder = SystemColorBit | 11;
constexpr TColor clAppWorkSpace = SystemColorBit | 12;
constexpr TColor clHighlight = SystemColorBit | 13;
constexpr TColor clHighlightText = SystemColorBit | 14;
constexpr TColor clBtnFace = SystemColorBit | 15;
constexpr TColor clBtnShadow = SystemColorBit | 16;
constexpr TColor clGrayText = SystemColorBit | 17;
constexpr TColor clBtnText = SystemColorBit | 18;
constexpr TColor clInactiveCaptionText = SystemColorBit | 19;
constexpr TColor clBtnHighlight = SystemColorBit | 20;
constexpr TColor cl3DDkShadow = SystemColorBit | 21;
constexpr TColor cl3DLight = SystemColorBit | 22;
constexpr TColor clInfoText = SystemColorBit | 23;
constexpr TColor clInfoBk = SystemColorBit | 24;
constexpr TColor clHotLight = SystemColorBit | 26;
constexpr TColor clGradientActiveCaption = SystemColorBit | 27;
constexpr TColor clGradientInactiveCaption = SystemColorBit | 28;
constexpr TColor clMenuHighlight = SystemColorBit | 29;
constexpr TColor clMenuBar = SystemColorBit | 30;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// An RGB colour from its channels (each 0..255).
constexpr TColor RGB(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c) { return c & 0xFF; }
constexpr int GetGValue(TColor c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(TColor c) { return (c >> 16) & 0xFF; }

// True for values with the system-colour bit (top byte 0x80).
constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) >> 24) == 0x80; }

// A system colour becomes the RGB value of its entry in the system colour
// table (black for an index the table does not have); every other value,
// clNone and clDefault included, comes back unchanged.
TColor ColorToRGB(TColor color);

// The pixel word of a colour: ColorToRGB, then red and blue change places and
// the top byte is dropped (clNone gives 0x00FFFFFF).
std::uint32_t ColorToPixelWord(TColor color);
// The RGB colour of a pixel word (bits 24..31 ignored).
constexpr TColor PixelWordToColor(std::uint32_t word)
{
    return static_cast<TColor>(((word >> 16) & 0xFF) | (word & 0xFF00) | ((word & 0xFF) << 16));
}

// Identifier table of the named colours, for colour properties of forms.
const TIdentTable& ColorIdents();
// "clWhite" for a named colour; otherwise false and name is untouched.
bool ColorToIdent(TColor color, std::string& name);
// The colour of an identifier (case-insensitive); false when unknown.
bool IdentToColor(const std::string& name, TColor& color);
