#include "platform/classes/TextForm.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/classes/BinaryForm.h"

namespace {

// Every value kind the text syntax has, in the printer's own layout.
const char* const kEveryKind = R"(object Root: TRoot
  Int8 = -12
  Int16 = 1000
  Int32 = -100000
  Int64 = 5000000000
  Extended = 1.5
  Whole = 2.0
  Tiny = 1e-300
  Single = 0.1s
  Currency = -12.3456c
  Lowest = -922337203685477.5808c
  Highest = 922337203685477.5807c
  Date = 45000.25d
  Str = 'It''s'#13#10'next'
  Empty = ''
  Long =
    '@LONG64@' +
    '@LONG64@' +
    '@LONG64@' +
    '@LONG64@' +
    'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'
  Split =
    '@LONG63@'#55357#56832 +
    'y'
  Wide = #12523#12500' 1'#55357#56832
  Ident = clWhite
  Yes = True
  No = False
  Nothing = nil
  Void = Null
  Style = [fsBold, fsItalic]
  NoStyle = []
  Font.Name = 'Mono'
  Glyph.Data = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    20FF}
  NoData = {}
  Lines = (
    'a'
    1
    (
      True))
  NoLines = ()
  Items = <
    item
      Caption = 'one'
      Tag = 1
    end
    item [3]
    end>
  NoItems = <>
  object Child: TChild [2]
    Left = 1
    object TAnon
    end
  end
  inherited Base: TBase
  end
  inline Frame1: TFrame
  end
end
)";

void CollectTypes(const TFormValue& v, std::set<int>& types)
{
    types.insert(v.Type);
    for (const TFormValue& item : v.List)
        CollectTypes(item, types);
    for (const TFormItem& item : v.Items)
        for (const TFormProperty& p : item.Properties)
            CollectTypes(p.Value, types);
}

std::string EveryKind()
{
    std::string text = kEveryKind;
    for (std::size_t at; (at = text.find("@LONG64@")) != std::string::npos;)
        text.replace(at, 8, std::string(64, 'x'));
    text.replace(text.find("@LONG63@"), 8, std::string(63, 'x'));
    return text;
}

TEST(TextFormTest, EveryValueKindSurvivesTextBinaryText)
{
    std::string binary = ObjectTextToBinary(EveryKind());
    EXPECT_EQ(ObjectBinaryToText(binary), EveryKind());

    TFormObject form = ReadBinaryForm(binary);
    std::set<int> types;
    for (const TFormProperty& p : form.Properties)
        CollectTypes(p.Value, types);
    for (int t = vaNull; t <= vaLast; ++t) {
        if (t == vaUTF8String)   // never produced from text: non-ASCII text is wide
            continue;
        EXPECT_TRUE(types.count(t)) << ValueTypeName(static_cast<TValueType>(t));
    }
    ASSERT_EQ(form.Children.size(), 3u);
    EXPECT_EQ(form.Children[0].Flags, ffChildPos);
    EXPECT_EQ(form.Children[0].ChildPos, 2);
    EXPECT_EQ(form.Children[1].Flags, ffInherited);
    EXPECT_EQ(form.Children[2].Flags, ffInline);
}

TEST(TextFormTest, ParsesWhatThePrinterDoesNotWrite)
{
    TFormObject form = ParseTextForm(
        "OBJECT Form1: TForm\r\n"
        "  Color = $00FF00FF\n"
        "  Neg = -$10\n"
        "  Caption = 'ルピ'#12490 +\n"
        "    'コ'\n"
        "  Emoji = #128512\n"
        "  Hex = #$41'B'\n"
        "  B = true\n"
        "  Data = { 0A0b\n"
        "    0C }\n"
        "  object TAnon\n"
        "  END\n"
        "End\n");
    ASSERT_EQ(form.Properties.size(), 7u);
    EXPECT_EQ(form.Properties[0].Value, TFormValue::Integer(0xFF00FF));
    EXPECT_EQ(form.Properties[1].Value.Int, -16);
    EXPECT_EQ(form.Properties[2].Value.Type, vaWString);
    EXPECT_EQ(form.Properties[2].Value.StringAsUtf8(), "ルピナコ");
    EXPECT_EQ(form.Properties[3].Value.StringAsUtf8(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(form.Properties[4].Value.Type, vaString);
    EXPECT_EQ(form.Properties[4].Value.Text, "AB");
    EXPECT_EQ(form.Properties[5].Value.Type, vaTrue);
    EXPECT_EQ(form.Properties[6].Value.Text, "\x0A\x0B\x0C");
    ASSERT_EQ(form.Children.size(), 1u);
    EXPECT_EQ(form.Children[0].ClassName, "TAnon");
}

TEST(TextFormTest, PrinterWritesPlainAscii)
{
    std::string text = PrintTextForm(ParseTextForm("object A: TA\n  S = 'ＭＳ Ｐゴシック'\nend\n"));
    EXPECT_EQ(text, "object A: TA\n  S = #65325#65331' '#65328#12468#12471#12483#12463\nend\n");
}

struct TParseErrorCase {
    const char* Text;
    const char* Message;
};

class TextFormErrorTest : public testing::TestWithParam<TParseErrorCase> {};

TEST_P(TextFormErrorTest, NamesTheLine)
{
    try {
        ParseTextForm(GetParam().Text);
        FAIL() << "parsed";
    } catch (const EParserError& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, TextFormErrorTest,
    testing::Values(
        TParseErrorCase{"", "line 1: 'object' expected, found end of text"},
        TParseErrorCase{"thing A: TA\nend", "line 1: 'object' expected, found 'thing'"},
        TParseErrorCase{"object A: TA\n  Left 1\nend", "line 2: '=' expected, found number 1"},
        TParseErrorCase{"object A: TA\n  Left = 1\n", "line 3: 'end' expected, found end of text"},
        TParseErrorCase{"object A: TA\n\n  S = 'abc\nend", "line 3: unterminated string"},
        TParseErrorCase{"object A: TA\n  S = 'a' +\n  end", "line 3: string expected after '+', found 'end'"},
        TParseErrorCase{"object A: TA\n  D = {0A\n B}\nend", "line 3: odd number of hexadecimal digits in binary data"},
        TParseErrorCase{"object A: TA\n  D = {0G}\nend", "line 2: hexadecimal digit expected in binary data"},
        TParseErrorCase{"object A: TA\n  D = {0A\nend", "line 3: hexadecimal digit expected in binary data"},
        TParseErrorCase{"object A: TA\n  D = {0A", "line 2: '}' expected at the end of binary data"},
        TParseErrorCase{"object A: TA\n  N = 99999999999999999999\nend", "line 2: integer 99999999999999999999 out of range"},
        TParseErrorCase{"object A: TA\n  N = 922337203685477.5808c\nend",
                        "line 2: currency in range expected, found number 922337203685477.5808c"},
        TParseErrorCase{"object A: TA\n  N = $\nend", "line 2: hexadecimal digit expected after $"},
        TParseErrorCase{"object A: TA\n  N = 12abc\nend", "line 2: invalid number 12a"},
        TParseErrorCase{"object A: TA\n  S = #1114112\nend", "line 2: character code out of range"},
        TParseErrorCase{"object A: TA\n  S = '\xC3'\nend", "line 2: string is not valid UTF-8"},
        TParseErrorCase{"object A: TA\n  S = [fsBold, ]\nend", "line 2: set element expected, found ']'"},
        TParseErrorCase{"object A: TA\n  L = (1 2\nend", "line 3: ')' expected, found end of text"},
        TParseErrorCase{"object A: TA\n  L = (1 =)\nend", "line 2: property value expected, found '='"},
        TParseErrorCase{"object A: TA\n  C = < thing end >\nend", "line 2: 'item' or '>' expected, found 'thing'"},
        TParseErrorCase{"object A: TA\n  X = ;\nend", "line 2: unexpected character ';'"},
        TParseErrorCase{"object A: TA\nend\nobject B: TB\nend", "line 3: end of text expected, found 'object'"}));

TEST(TextFormTest, DeepNestingIsRefusedNotOverflowed)
{
    std::string text = "object A: TA\n  L = " + std::string(10000, '(') + "\nend\n";
    EXPECT_THROW(ParseTextForm(text), EParserError);
    std::string objects;
    for (int i = 0; i < 10000; ++i)
        objects += "object A: TA\n";
    EXPECT_THROW(ParseTextForm(objects), EParserError);
}

TEST(TextFormTest, PrintsOnlyWhatParsesBack)
{
    // Names from a binary form that the text syntax cannot hold.
    const char* const cases[][2] = {{"Left", "a b"}, {"end", "x"}, {"End.Size", "x"}, {"Font.", "x"}, {"Tag", ""}};
    for (const auto& c : cases) {
        TFormObject form;
        form.ClassName = "TA";
        form.Properties.push_back({c[0], TFormValue::Ident(c[1])});
        EXPECT_THROW(PrintTextForm(form), EWriteError) << c[0] << " = " << c[1];
    }
    TFormObject form;
    form.ClassName = "T A";
    EXPECT_THROW(PrintTextForm(form), EWriteError);
    form.ClassName = "TA";
    form.Properties.push_back({"Font.Style", TFormValue()});
    form.Properties[0].Value.Type = vaSet;
    form.Properties[0].Value.Set = {"fsBold", "1x"};
    EXPECT_THROW(PrintTextForm(form), EWriteError);
}

TEST(TextFormTest, NonFiniteFloatsCannotBePrinted)
{
    TFormObject form;
    form.ClassName = "TA";
    TFormValue inf;
    inf.Type = vaExtended;
    inf.Float = 1e308 * 10;
    form.Properties.push_back({"F", inf});
    EXPECT_THROW(PrintTextForm(form), EWriteError);
}

}
