#include "platform/classes/BinaryForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/classes/Extended.h"
#include "platform/classes/TextForm.h"

namespace {

using namespace std::string_literals;

TEST(BinaryFormTest, LayoutIsLittleEndianWithShortStrings)
{
    std::string bytes = ObjectTextToBinary(
        "object A: TX\n"
        "  I = -2\n"
        "  W = 1000\n"
        "  S = 'ab'\n"
        "  U = #252\n"
        "  F = 1.5\n"
        "  object B: TY\n"
        "  end\n"
        "end\n");
    std::string expected = "TPF0"
                           "\x02TX\x01" "A"
                           "\x01I\x02\xFE"
                           "\x01W\x03\xE8\x03"
                           "\x01S\x06\x02" "ab"
                           "\x01U\x12\x01\x00\x00\x00\xFC\x00"
                           "\x01" "F\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F"
                           "\x00"
                           "\x02TY\x01" "B\x00\x00"
                           "\x00"s;
    EXPECT_EQ(bytes, expected);
}

TEST(BinaryFormTest, ReadsTheFlagsPrefixAndUtf8Strings)
{
    std::string bytes = "TPF0"
                        "\xF3\x02\x05"   // inherited + child position 5
                        "\x02TX\x01" "A"
                        "\x01S\x14\x02\x00\x00\x00\xC3\x9F"   // UTF-8 string "ß"
                        "\x00\x00"s;
    TFormObject form = ReadBinaryForm(bytes);
    EXPECT_EQ(form.Flags, ffInherited | ffChildPos);
    EXPECT_EQ(form.ChildPos, 5);
    ASSERT_EQ(form.Properties.size(), 1u);
    EXPECT_EQ(form.Properties[0].Value.Type, vaUTF8String);
    EXPECT_EQ(form.Properties[0].Value.StringAsUtf8(), "ß");
    EXPECT_EQ(PrintTextForm(form), "inherited A: TX [5]\n  S = #223\nend\n");
    EXPECT_EQ(WriteBinaryForm(form), bytes);
}

TEST(BinaryFormTest, ExtendedConvertsBothWays)
{
    const double cases[] = {0.0, -0.0, 1.0, -2.0, 0.1, 1e300, -1e-300,
                            std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (double d : cases) {
        double back = ExtendedToDouble(DoubleToExtended(d));
        EXPECT_EQ(back, d) << d;
        EXPECT_EQ(std::signbit(back), std::signbit(d)) << d;
    }
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));

    // 1.0: integer bit set, exponent 0x3FFF.
    EXPECT_EQ(DoubleToExtended(1.0), (TExtendedBytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
    // Beyond the range of double: the largest extended overflows, the smallest underflows.
    EXPECT_EQ(ExtendedToDouble({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F}),
              std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0.0);
    // 1 + 2^-63 rounds to 1; 1 + 2^-52 is exact.
    EXPECT_EQ(ExtendedToDouble({1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0);
    EXPECT_EQ(ExtendedToDouble({0, 0x08, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), 1.0 + std::ldexp(1.0, -52));
}

void ExpectReadError(const std::string& bytes, const std::string& message)
{
    try {
        ReadBinaryForm(bytes);
        FAIL() << "read " << message;
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

TEST(BinaryFormTest, MalformedStreamsRaiseReadErrors)
{
    ExpectReadError("", "Invalid form stream: signature TPF0 missing at byte 0");
    ExpectReadError("TPF1\x02TX\x00\x00\x00"s, "Invalid form stream: signature TPF0 missing at byte 0");
    ExpectReadError("TPF0\x00\x00\x00"s, "Invalid form stream: empty class name at byte 5");
    ExpectReadError("TPF0\x02TX\x00\x01P\x15"s, "Invalid form stream: bad value type 21 at byte 10");
    ExpectReadError("TPF0\x02TX\x00\x01P\x0C\xFF\xFF\xFF\x7F" "abc"s,
                    "Invalid form stream: length 2147483647 beyond the data at byte 15");
    ExpectReadError("TPF0\x02TX\x00\x01P\x0A\xFF\xFF\xFF\xFF"s, "Invalid form stream: negative length at byte 15");
    ExpectReadError("TPF0\x02TX\x00\x01P\x12\x02\x00\x00\x00" "abc"s,
                    "Invalid form stream: length 2 beyond the data at byte 15");
    ExpectReadError("TPF0\xF2\x07" "abc"s, "Invalid form stream: child position is not an integer at byte 6");
}

TEST(BinaryFormTest, EveryTruncationOfAValidStreamIsAnError)
{
    std::string bytes = ObjectTextToBinary(
        "object A: TX\n  I = 70000\n  S = 'text'\n  W = 'ß'\n  E = 2.5\n  Set = [a, b]\n"
        "  L = (1 'x' (2))\n  C = <\n    item [1]\n      P = True\n    end>\n  B = {0102}\n"
        "  object B: TY\n    Q = 1e9d\n  end\nend\n");
    ReadBinaryForm(bytes);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadBinaryForm(bytes.substr(0, n)), EReadError) << n;
}

TEST(BinaryFormTest, DeepNestingIsRefused)
{
    std::string lists = "TPF0\x02TX\x00\x01L"s + std::string(100000, '\x01');
    EXPECT_THROW(ReadBinaryForm(lists), EReadError);
    std::string objects = "TPF0"s;
    for (int i = 0; i < 100000; ++i)
        objects += "\x02TX\x00\x00"s;
    EXPECT_THROW(ReadBinaryForm(objects), EReadError);
}

TEST(BinaryFormTest, WritingRefusesWhatTheFormatCannotHold)
{
    TFormObject form;
    form.ClassName = "TX";
    form.Name = std::string(256, 'n');
    EXPECT_THROW(WriteBinaryForm(form), EWriteError);
    form.Name = "A";
    form.Properties.push_back({"", TFormValue::Integer(1)});
    EXPECT_THROW(WriteBinaryForm(form), EWriteError);
    // A class name whose length byte looks like the flags prefix gets a prefix.
    TFormObject longClass;
    longClass.ClassName = "T" + std::string(244, 'c');
    longClass.Children.push_back(longClass);
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(longClass)), longClass);
    // A string too long for a length byte goes out as a long string instead.
    form.Properties[0] = {"S", TFormValue()};
    form.Properties[0].Value.Type = vaString;
    form.Properties[0].Value.Text = std::string(300, 'x');
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(form)).Properties[0].Value.Type, vaLString);
}

}
