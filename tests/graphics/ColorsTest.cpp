#include "platform/graphics/Colors.h"

#include <gtest/gtest.h>

TEST(ColorsTest, SystemColoursResolveThroughTheTableOthersPassThrough)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(SystemColorBit | 200), clBlack);   // no such entry
    for (TColor c : {clRed, clNone, clDefault, clOlive, static_cast<TColor>(0x00123456)})
        EXPECT_EQ(ColorToRGB(c), c);
}

TEST(ColorsTest, PixelWordsSwapRedAndBlueAndDropTheTopByte)
{
    EXPECT_EQ(ColorToPixelWord(clBlue), 0x000000FFu);
    EXPECT_EQ(ColorToPixelWord(clYellow), 0x00FFFF00u);
    EXPECT_EQ(ColorToPixelWord(clNone), 0x00FFFFFFu);
    EXPECT_EQ(ColorToPixelWord(clBtnFace), 0x00D4D0C8u);
    EXPECT_EQ(PixelWordToColor(0xAA123456), static_cast<TColor>(0x00563412));
}

TEST(ColorsTest, IdentifiersNameTheColoursBothWays)
{
    std::string name;
    ASSERT_TRUE(ColorToIdent(clWindowText, name));
    EXPECT_EQ(name, "clWindowText");
    ASSERT_TRUE(ColorToIdent(clSilver, name));
    EXPECT_EQ(name, "clSilver");
    EXPECT_FALSE(ColorToIdent(0x123456, name));
    TColor c = 0;
    ASSERT_TRUE(IdentToColor("CLWHITE", c));
    EXPECT_EQ(c, clWhite);
    ASSERT_TRUE(IdentToColor("clBtnFace", c));
    EXPECT_EQ(c, static_cast<TColor>(0x8000000F));
    EXPECT_FALSE(IdentToColor("clPink", c));
}
