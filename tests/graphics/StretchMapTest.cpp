#include "platform/graphics/StretchMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct StretchCase {
    int Target, Source;
    std::vector<int> Expected;   // source index of every target index
};

class StretchMapTest : public testing::TestWithParam<StretchCase> {};

TEST_P(StretchMapTest, PicksTheSourcePixelOfEveryTargetPixel)
{
    const StretchCase& c = GetParam();
    std::vector<int> got;
    for (int i = 0; i < c.Target; ++i)
        got.push_back(StretchSourceIndex(i, c.Target, c.Source));
    EXPECT_EQ(got, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, StretchMapTest,
                         testing::Values(StretchCase{4, 4, {0, 1, 2, 3}},           // equal: 1 : 1
                                         StretchCase{3, 6, {1, 3, 5}},              // halving takes the odd pixels
                                         StretchCase{4, 10, {1, 3, 6, 8}},          // shrinking unevenly
                                         StretchCase{6, 3, {0, 0, 1, 1, 2, 2}},     // doubling repeats
                                         StretchCase{5, 2, {0, 0, 1, 1, 1}},        // enlarging unevenly
                                         StretchCase{3, 1, {0, 0, 0}},              // 1 pixel fills the target
                                         StretchCase{1, 1, {0}},
                                         StretchCase{1, 7, {3}}));                  // the middle pixel

TEST(StretchMapTest, FourHundredIntoOneHundredTakesEveryFourthColumnFromTheSecond)
{
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(StretchSourceIndex(x, 100, 400), 4 * x + 2) << x;
    for (int y = 0; y < 100; ++y)
        ASSERT_EQ(StretchSourceIndex(y, 100, 100), y);
}

TEST(StretchMapTest, LargestSizesDoNotOverflow)
{
    EXPECT_EQ(StretchSourceIndex(32767, 32768, 32768), 32767);
    EXPECT_EQ(StretchSourceIndex(0, 1, 32768), 16384);
    EXPECT_EQ(StretchSourceIndex(32767, 32768, 1), 0);
}

}   // namespace
