#include "platform/controls/TSpeedButton.h"

#include <gtest/gtest.h>

#include "platform/controls/TWinControl.h"

namespace {

struct Group {
    TWinControl parent{nullptr};
    TSpeedButton* b[4]{};
    Group()
    {
        for (auto*& button : b) {
            button = new TSpeedButton(&parent);
            button->SetParent(&parent);
        }
        for (int i = 0; i < 3; ++i)
            b[i]->SetGroupIndex(1);
        b[3]->SetGroupIndex(2);   // another group
    }
};

TEST(SpeedButton, OneMemberDownAtATime)
{
    Group g;
    g.b[3]->SetDown(true);
    g.b[0]->SetDown(true);
    g.b[1]->SetDown(true);
    EXPECT_FALSE(g.b[0]->Down());
    EXPECT_TRUE(g.b[1]->Down());
    EXPECT_TRUE(g.b[3]->Down());   // other groups are not touched

    g.b[1]->SetDown(false);   // without AllowAllUp the down member stays down
    EXPECT_TRUE(g.b[1]->Down());

    g.b[2]->SetAllowAllUp(true);   // one value for the whole group
    EXPECT_TRUE(g.b[0]->AllowAllUp());
    EXPECT_TRUE(g.b[1]->AllowAllUp());
    EXPECT_FALSE(g.b[3]->AllowAllUp());
    g.b[1]->SetDown(false);
    EXPECT_FALSE(g.b[1]->Down());

    TSpeedButton loose(nullptr);
    loose.SetDown(true);   // no group: never down
    EXPECT_FALSE(loose.Down());

    g.b[3]->SetGroupIndex(1);   // joining announces; b3 is down and nobody else is
    g.b[0]->SetDown(true);
    EXPECT_FALSE(g.b[3]->Down());
}

TEST(SpeedButton, AReleaseInsideClicksAndTogglesInAGroup)
{
    Group g;
    g.b[0]->SetAllowAllUp(true);
    g.b[0]->SetBounds(0, 0, 20, 20);
    int clicks = 0;
    g.b[0]->OnClick = TNotifyEvent::FromFunction([&](TObject*) { ++clicks; });
    auto press = [&](int x, int y) {
        g.b[0]->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeMouseLParam(5, 5));
        g.b[0]->Perform(WM_LBUTTONUP, 0, MakeMouseLParam(x, y));
    };
    press(5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g.b[0]->Down());
    press(30, 5);   // released outside: nothing
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g.b[0]->Down());
    press(5, 5);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(g.b[0]->Down());
}

}
