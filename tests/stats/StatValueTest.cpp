// The value-record helpers every family builds on.
#include <gtest/gtest.h>

#include <limits>

#include "stats/StatValue.h"

namespace corvel {
namespace {

TStatDrawRec Occurrence(std::uint16_t key, int draw, int depth) {
    TStatDrawRec r;
    r.Key[0] = key;
    r.LastDraw = draw;
    r.PrevDraw = draw;
    r.Depth = depth;
    r.Count = 1;
    return r;
}

TEST(AddStatValue, MergesCountsDepthAndIntervals) {
    TStatDrawArray values;
    TStatDrawRec seeded;
    seeded.Key[0] = 5;
    seeded.Expected = 99;  // not copied into the array
    AddStatValue(values, seeded, false);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Expected, 0);

    // Scanning a window oldest first: draws 10, 13, 20 (depths 11, 8, 1).
    AddStatValue(values, Occurrence(5, 10, 11), true);
    EXPECT_EQ(values[0].MinInterval, 0);  // a single occurrence has no interval
    AddStatValue(values, Occurrence(5, 13, 8), true);
    AddStatValue(values, Occurrence(5, 20, 1), true);
    EXPECT_EQ(values[0].Count, 3);
    EXPECT_EQ(values[0].LastDraw, 20);
    EXPECT_EQ(values[0].Depth, 1);
    EXPECT_EQ(values[0].MinInterval, 3);
    EXPECT_EQ(values[0].MaxInterval, 7);

    // An older occurrence (greater depth) does not replace the newest one.
    AddStatValue(values, Occurrence(5, 5, 16), false);
    EXPECT_EQ(values[0].LastDraw, 20);
    EXPECT_EQ(values[0].Count, 4);

    // A different key appends, whole words compared.
    TStatDrawRec other = Occurrence(5, 20, 1);
    other.Key[3] = 1;
    AddStatValue(values, other, true);
    EXPECT_EQ(values.size(), 2u);
}

TEST(AddStatValue, WithoutIntervalsKeepsIntervalsZero) {
    TStatDrawArray values;
    AddStatValue(values, Occurrence(1, 10, 3), false);
    AddStatValue(values, Occurrence(1, 12, 1), false);
    EXPECT_EQ(values[0].MinInterval, 0);
    EXPECT_EQ(values[0].MaxInterval, 0);
    EXPECT_EQ(values[0].Count, 2);
}

TEST(StatHelpers, SimpleAndLastValues) {
    TStatSimpleArray simple;
    AddSimpleValue(simple, 7, 2);
    AddSimpleValue(simple, 7, 3);
    AddSimpleValue(simple, 7, -4);  // only positive amounts add to a known key
    AddSimpleValue(simple, 8, 0);
    ASSERT_EQ(simple.size(), 2u);
    EXPECT_EQ(simple[0].Value, 5);
    EXPECT_EQ(simple[1].Value, 0);

    TLastValueArray last;
    EXPECT_EQ(UpdateLastValue(Occurrence(3, 100, 0), last), -1);
    EXPECT_EQ(UpdateLastValue(Occurrence(3, 104, 0), last), 4);
    EXPECT_EQ(UpdateLastValue(Occurrence(3, 110, 0), last), 6);
    EXPECT_EQ(UpdateLastValue(Occurrence(4, 110, 0), last), -1);
}

TEST(StatHelpers, KeyPredicates) {
    TStatDrawRec a;
    a.Key = {1, 2, 3, 0x0504};
    const TStatDrawArray values{a};
    EXPECT_TRUE(HasKey(values, {1, 2, 3, 0x0504}));
    EXPECT_FALSE(HasKey(values, {1, 2, 3, 0}));
    EXPECT_TRUE(HasKey0And2(values, 1, 3));
    EXPECT_FALSE(HasKey0And2(values, 1, 2));
    EXPECT_TRUE(HasKeyByte(values, 6, 4));
    EXPECT_TRUE(HasKeyByte(values, 7, 5));
    EXPECT_FALSE(HasKeyByte(values, 6, 5));
    EXPECT_TRUE(HasKeyWord(values, 1, 2));
    EXPECT_TRUE(HasKey0Or2(values, 3));
    EXPECT_FALSE(HasKey0Or2(values, 2));
    EXPECT_FALSE(HasKey(TStatDrawArray{}, {}));
}

TEST(StatHelpers, SortIsStableAndUnsigned) {
    auto rec = [](std::uint16_t w0, std::uint16_t w1, int count) {
        TStatDrawRec r;
        r.Key[0] = w0;
        r.Key[1] = w1;
        r.Count = count;
        return r;
    };
    TStatDrawRec negative;
    SetKeyInt32(negative.Key, 0, -1);  // two words 65535: sorts after every non-negative value
    EXPECT_EQ(KeyInt32(negative.Key, 0), -1);
    TStatDrawArray values{negative, rec(2, 0, 1), rec(1, 5, 2), rec(1, 0, 3), rec(2, 0, 4)};
    SortStatValues(values);
    std::vector<int> order;
    for (const auto& v : values) order.push_back(v.Count);
    EXPECT_EQ(order, (std::vector<int>{3, 2, 1, 4, 0}));
}

TEST(StatHelpers, Totals) {
    const TStatTotals empty = StatTotals({});
    EXPECT_EQ(empty.MinCount, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(empty.TotalCount, 0);
    TStatDrawArray values{Occurrence(1, 5, 4), Occurrence(2, 6, 9)};
    values[1].Count = std::numeric_limits<std::int32_t>::max();
    const TStatTotals t = StatTotals(values);
    EXPECT_EQ(t.MinCount, 1);
    EXPECT_EQ(t.MaxCount, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(t.MaxDepth, 9);
    EXPECT_EQ(t.TotalCount, std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1);  // no 32-bit overflow
}

}  // namespace
}  // namespace corvel
