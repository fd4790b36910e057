// Amounts of money with four decimals.
#include <gtest/gtest.h>

#include "model/Money.h"

namespace corvel {
namespace {

TEST(Money, AmountsRoundToTheNearestTenThousandth) {
    EXPECT_EQ(TMoney::FromDouble(12.34).Raw(), 123400);
    EXPECT_EQ(TMoney::FromDouble(1.23456).Raw(), 12346);
    EXPECT_EQ(TMoney::FromDouble(-1.23456).Raw(), -12346);
    EXPECT_EQ(TMoney::FromDouble(0.1 + 0.2).Raw(), 3000);  // no drift from binary fractions
    EXPECT_DOUBLE_EQ(TMoney::FromRaw(12345).ToDouble(), 1.2345);
}

TEST(Money, TextHasTwoDecimals) {
    EXPECT_EQ(TMoney::FromRaw(123456789).ToText(), "12345.68");
    EXPECT_EQ(TMoney::FromRaw(0).ToText(), "0.00");
    EXPECT_EQ(TMoney::FromDouble(-50).ToText(), "-50.00");
    EXPECT_EQ((TMoney::FromDouble(0.5) * 3 + TMoney::FromDouble(0.25)).ToText(), "1.75");
    EXPECT_LT(TMoney::FromDouble(1), TMoney::FromDouble(1.0001));
}

}  // namespace
}  // namespace corvel
