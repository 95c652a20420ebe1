// The combinations the combination search visits, and their order.
#include "combination/combinations.h"

#include <gtest/gtest.h>

using qudrim::combination::combinationsOf;

TEST(CombinationsOf, ComeInLexicographicOrder)
{
    const auto c = combinationsOf(6, 2);
    ASSERT_EQ(c.size(), 15u);
    EXPECT_EQ(c.front(), (std::vector<int>{1, 2}));
    EXPECT_EQ(c[1], (std::vector<int>{1, 3}));
    EXPECT_EQ(c[5], (std::vector<int>{2, 3}));
    EXPECT_EQ(c.back(), (std::vector<int>{5, 6}));
}

TEST(CombinationsOf, CountsForBothPools)
{
    const size_t six[] = {6, 15, 20, 15, 6, 1};
    const size_t seven[] = {7, 21, 35, 35, 21, 7};
    for (int k = 1; k <= 6; ++k) {
        EXPECT_EQ(combinationsOf(6, k).size(), six[k - 1]) << k;
        EXPECT_EQ(combinationsOf(7, k).size(), seven[k - 1]) << k;
    }
    EXPECT_EQ(combinationsOf(6, 6).front(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(CombinationsOf, NoneOutsideOneToPoolSize)
{
    EXPECT_TRUE(combinationsOf(6, 0).empty());
    EXPECT_TRUE(combinationsOf(6, 7).empty());
    EXPECT_TRUE(combinationsOf(7, -1).empty());
}
