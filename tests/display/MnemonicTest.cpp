#include "platform/display/Mnemonic.h"

#include <gtest/gtest.h>

TEST(MnemonicTest, AmpersandMarksBecomeGtkMnemonics)
{
    struct Case {
        const char* In;
        const char* Out;
    } cases[] = {
        {"はい(&Y)", "はい(_Y)"},
        {"いいえ(&N)", "いいえ(_N)"},
        {"OK", "OK"},
        {"A && B", "A & B"},
        {"&&&X", "&_X"},
        {"snake_case", "snake__case"},
        {"end&", "end"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GtkMnemonicLabel(c.In), c.Out) << c.In;
}
