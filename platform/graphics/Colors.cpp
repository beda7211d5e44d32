#include "platform/graphics/Colors.h"

#include <array>
#include <strings.h>

namespace {

// The system colour table: the classic desktop scheme, as RGB colour values
// (red in the low byte). Index 25 has no colour and reads as black.
constexpr std::array<TColor, 31> SystemColorTable = {
    RGB(212, 208, 200),   // 0  scroll bar
    RGB(58, 110, 165),    // 1  desktop background
    RGB(10, 36, 106),     // 2  active caption
    RGB(128, 128, 128),   // 3  inactive caption
    RGB(212, 208, 200),   // 4  menu
    RGB(255, 255, 255),   // 5  window
    RGB(0, 0, 0),         // 6  window frame
    RGB(0, 0, 0),         // 7  menu text
    RGB(0, 0, 0),         // 8  window text
    RGB(255, 255, 255),   // 9  caption text
    RGB(212, 208, 200),   // 10 active border
    RGB(212, 208, 200),   // 11 inactive border
    RGB(128, 128, 128),   // 12 application work space
    RGB(10, 36, 106),     // 13 highlight
    RGB(255, 255, 255),   // 14 highlight text
    RGB(212, 208, 200),   // 15 button face
    RGB(128, 128, 128),   // 16 button shadow
    RGB(128, 128, 128),   // 17 grey text
    RGB(0, 0, 0),         // 18 button text
    RGB(212, 208, 200),   // 19 inactive caption text
    RGB(255, 255, 255),   // 20 button highlight
    RGB(64, 64, 64),      // 21 3-D dark shadow
    RGB(212, 208, 200),   // 22 3-D light
    RGB(0, 0, 0),         // 23 tooltip text
    RGB(255, 255, 225),   // 24 tooltip background
    RGB(0, 0, 0),         // 25 (none)
    RGB(0, 0, 128),       // 26 hot-tracked item
    RGB(166, 202, 240),   // 27 gradient of the active caption
    RGB(192, 192, 192),   // 28 gradient of the inactive caption
    RGB(49, 106, 197),    // 29 menu highlight
    RGB(212, 208, 200),   // 30 menu bar
};

}   // namespace

TColor ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return color;
    unsigned index = static_cast<std::uint32_t>(color) & 0xFF;
    return index < SystemColorTable.size() ? SystemColorTable[index] : clBlack;
}

std::uint32_t ColorToPixelWord(TColor color)
{
    auto a = static_cast<std::uint32_t>(ColorToRGB(color));
    return (a & 0xFF) << 16 | (a & 0xFF00) | ((a >> 16) & 0xFF);
}

const TIdentTable& ColorIdents()
{
    static const TIdentTable table = {
        {clBlack, "clBlack"},
        {clMaroon, "clMaroon"},
        {clGreen, "clGreen"},
        {clOlive, "clOlive"},
        {clNavy, "clNavy"},
        {clPurple, "clPurple"},
        {clTeal, "clTeal"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clRed, "clRed"},
        {clLime, "clLime"},
        {clYellow, "clYellow"},
        {clBlue, "clBlue"},
        {clFuchsia, "clFuchsia"},
        {clAqua, "clAqua"},
        {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"},
        {clSkyBlue, "clSkyBlue"},
        {clCream, "clCream"},
        {clMedGray, "clMedGray"},
        {clLtGray, "clLtGray"},
        {clDkGray, "clDkGray"},
        {clScrollBar, "clScrollBar"},
        {clBackground, "clBackground"},
        {clActiveCaption, "clActiveCaption"},
        {clInactiveCaption, "clInactiveCaption"},
        {clMenu, "clMenu"},
        {clWindow, "clWindow"},
        {clWindowFrame, "clWindowFrame"},
        {clMenuText, "clMenuText"},
        {clWindowText, "clWindowText"},
        {clCaptionText, "clCaptionText"},
        {clActiveBorder, "clActiveBorder"},
        {clInactiveBorder, "clInactiveBorder"},
        {clAppWorkSpace, "clAppWorkSpace"},
        {clHighlight, "clHighlight"},
        {clHighlightText, "clHighlightText"},
        {clBtnFace, "clBtnFace"},
        {clBtnShadow, "clBtnShadow"},
        {clGrayText, "clGrayText"},
        {clBtnText, "clBtnText"},
        {clInactiveCaptionText, "clInactiveCaptionText"},
        {clBtnHighlight, "clBtnHighlight"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {cl3DLight, "cl3DLight"},
        {clInfoText, "clInfoText"},
        {clInfoBk, "clInfoBk"},
        {clHotLight, "clHotLight"},
        {clGradientActiveCaption, "clGradientActiveCaption"},
        {clGradientInactiveCaption, "clGradientInactiveCaption"},
        {clMenuHighlight, "clMenuHighlight"},
        {clMenuBar, "clMenuBar"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
    };
    return table;
}

bool ColorToIdent(TColor color, std::string& name)
{
    for (const TIdent& ident : ColorIdents()) {
        if (ident.Value == color) {
            name = ident.Name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const std::string& name, TColor& color)
{
    for (const TIdent& ident : ColorIdents()) {
        if (strcasecmp(ident.Name, name.c_str()) == 0) {
            color = static_cast<TColor>(ident.Value);
            return true;
        }
    }
    return false;
}
