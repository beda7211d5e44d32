#pragma once
// TFont: the attributes of a text font, as controls and canvases hold them.
//
// Height is the font's size in pixels: negative for the character height
// (what forms store, "Font.Height = -12"), positive for the cell height.
// Size is the same in points at 96 pixels per inch: Size = -Height * 72 / 96,
// rounded; writing Size sets Height. Charset takes the platform's character
// set numbers (CharsetIdents() names them for forms: "SHIFTJIS_CHARSET").
// Style is a set of TFontStyle bits (FontStyleBit(fsBold) | ...).
//
// A new font is the program's default: "ＭＳ Ｐゴシック", Height -12,
// clWindowText, DEFAULT_CHARSET, fpDefault, no style.
// Every write that changes a value fires OnChange once (sender: the font);
// Assign copies every attribute of another font and fires OnChange once.
// Assigning anything but a font raises EConvertError (TPersistent's rule).
// The font is only a description: text is drawn by the graphics layer's
// text functions, which read it.

#include <cstdint>
#include <string>

#include "platform/classes/TEvent.h"
#include "platform/classes/TPersistent.h"
#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Colors.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned;   // bit (1 << TFontStyle) for each style in the set
constexpr TFontStyles FontStyleBit(TFontStyle style) { return 1u << style; }

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset MAC_CHARSET = 77;
constexpr TFontCharset SHIFTJIS_CHARSET = 128;
constexpr TFontCharset HANGEUL_CHARSET = 129;
constexpr TFontCharset JOHAB_CHARSET = 130;
constexpr TFontCharset GB2312_CHARSET = 134;
constexpr TFontCharset CHINESEBIG5_CHARSET = 136;
constexpr TFontCharset GREEK_CHARSET = 161;
constexpr TFontCharset TURKISH_CHARSET = 162;
constexpr TFontCharset VIETNAMESE_CHARSET = 163;
constexpr TFontCharset HEBREW_CHARSET = 177;
constexpr TFontCharset ARABIC_CHARSET = 178;
constexpr TFontCharset BALTIC_CHARSET = 186;
constexpr TFontCharset RUSSIAN_CHARSET = 204;
constexpr TFontCharset THAI_CHARSET = 222;
constexpr TFontCharset EASTEUROPE_CHARSET = 238;
constexpr TFontCharset OEM_CHARSET = 255;

// Identifier tables for forms.
const TIdentTable& CharsetIdents();
const TIdentTable& FontStyleIdents();
const TIdentTable& FontPitchIdents();

class TFont : public TPersistent {
    RUPINAKO_CLASS(TFont)
public:
    TFont();

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    int Size() const;
    void SetSize(int value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles value);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch value);

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    std::string FName;
    int FHeight;
    TColor FColor;
    TFontCharset FCharset;
    TFontStyles FStyle = 0;
    TFontPitch FPitch = fpDefault;
};
