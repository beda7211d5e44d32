#include "platform/graphics/TFont.h"

#include <gtest/gtest.h>

#include "platform/graphics/TBitmap.h"
#include "platform/rtl/Exception.h"

namespace {

TEST(Font, SizeIsHeightInPointsAt96PixelsPerInch)
{
    struct Case {
        int height;
        int size;
    };
    const Case cases[] = {{-12, 9}, {-16, 12}, {-13, 10}, {-11, 8}, {16, -12}, {0, 0}};
    TFont font;
    for (const Case& c : cases) {
        font.SetHeight(c.height);
        EXPECT_EQ(font.Size(), c.size) << c.height;
    }
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
}

TEST(Font, ChangesFireOnceAndAssignCopiesEverything)
{
    TFont font, other;
    int changes = 0;
    font.OnChange = TNotifyEvent::FromFunction([&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    });
    font.SetColor(font.Color());   // the same value: nothing
    font.SetName(font.Name());
    EXPECT_EQ(changes, 0);
    font.SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
    EXPECT_EQ(changes, 1);

    other.SetName("IPAPGothic");
    other.SetHeight(-20);
    other.SetColor(clBlue);
    other.SetCharset(SHIFTJIS_CHARSET);
    other.SetPitch(fpFixed);
    other.SetStyle(FontStyleBit(fsItalic));
    font.Assign(&other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.Name(), "IPAPGothic");
    EXPECT_EQ(font.Height(), -20);
    EXPECT_EQ(font.Color(), clBlue);
    EXPECT_EQ(font.Charset(), SHIFTJIS_CHARSET);
    EXPECT_EQ(font.Pitch(), fpFixed);
    EXPECT_EQ(font.Style(), FontStyleBit(fsItalic));

    TBitmap bitmap;
    EXPECT_THROW(font.Assign(&bitmap), EConvertError);
    EXPECT_EQ(font.Name(), "IPAPGothic");
}

TEST(Font, FormsNameCharsetsAndStyles)
{
    const TPropInfo* charset = TFont::StaticClassInfo().FindProperty("Charset");
    ASSERT_NE(charset, nullptr);
    ASSERT_NE(charset->Idents, nullptr);
    bool found = false;
    for (const TIdent& i : *charset->Idents)
        found |= std::string(i.Name) == "SHIFTJIS_CHARSET" && i.Value == 128;
    EXPECT_TRUE(found);
    const TPropInfo* style = TFont::StaticClassInfo().FindProperty("Style");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->Kind, tkSet);
    TFont font;
    style->SetOrd(&font, FontStyleBit(fsStrikeOut));
    EXPECT_EQ(font.Style(), FontStyleBit(fsStrikeOut));
}

}
