#include "platform/graphics/TFont.h"

namespace {

constexpr int DesignPixelsPerInch = 96;

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDivRounded(int a, int b, int c)
{
    const long long p = static_cast<long long>(a) * b;
    const long long q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
    return static_cast<int>(q);
}

}

const TIdentTable& CharsetIdents()
{
    static const TIdentTable idents = {
        {ANSI_CHARSET, "ANSI_CHARSET"},           {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},       {MAC_CHARSET, "MAC_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},   {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {JOHAB_CHARSET, "JOHAB_CHARSET"},         {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},     {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
        {HEBREW_CHARSET, "HEBREW_CHARSET"},       {ARABIC_CHARSET, "ARABIC_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},       {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {THAI_CHARSET, "THAI_CHARSET"},           {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
    };
    return idents;
}

const TIdentTable& FontStyleIdents()
{
    static const TIdentTable idents = {{fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"},
                                       {fsStrikeOut, "fsStrikeOut"}};
    return idents;
}

const TIdentTable& FontPitchIdents()
{
    static const TIdentTable idents = {{fpDefault, "fpDefault"}, {fpVariable, "fpVariable"}, {fpFixed, "fpFixed"}};
    return idents;
}

// Size is left unpublished: Height carries the same value, and forms store
// only Height.
const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TFont>("TFont", TPersistent::StaticClassInfo())
            .Int("Charset", &TFont::Charset, &TFont::SetCharset, std::nullopt, &CharsetIdents())
            .Int("Color", &TFont::Color, &TFont::SetColor, std::nullopt, &ColorIdents())
            .Int("Height", &TFont::Height, &TFont::SetHeight)
            .Str("Name", &TFont::Name, &TFont::SetName)
            .Enum("Pitch", FontPitchIdents(), &TFont::Pitch, &TFont::SetPitch, fpDefault)
            .Set("Style", FontStyleIdents(), &TFont::Style, &TFont::SetStyle)
            .Build();
    return info;
}

TFont::TFont()
    : FName("ＭＳ Ｐゴシック"), FHeight(-12), FColor(clWindowText), FCharset(DEFAULT_CHARSET)
{
}

void TFont::SetName(const std::string& value)
{
    if (value.empty() || value == FName)
        return;   // a font always has a name
    FName = value;
    Changed();
}

void TFont::SetHeight(int value)
{
    if (value == FHeight)
        return;
    FHeight = value;
    Changed();
}

int TFont::Size() const
{
    return -MulDivRounded(FHeight, 72, DesignPixelsPerInch);
}

void TFont::SetSize(int value)
{
    SetHeight(-MulDivRounded(value, DesignPixelsPerInch, 72));
}

void TFont::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    Changed();
}

void TFont::SetCharset(TFontCharset value)
{
    if (value == FCharset)
        return;
    FCharset = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value)
{
    value &= 0xF;
    if (value == FStyle)
        return;
    FStyle = value;
    Changed();
}

void TFont::SetPitch(TFontPitch value)
{
    if (value == FPitch)
        return;
    FPitch = value;
    Changed();
}

void TFont::Assign(TPersistent* source)
{
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (font == this)
            return;
        FName = font->FName;
        FHeight = font->FHeight;
        FColor = font->FColor;
        FCharset = font->FCharset;
        FStyle = font->FStyle;
        FPitch = font->FPitch;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Changed()
{
    if (Assigned(OnChange))
        OnChange(this);
}
