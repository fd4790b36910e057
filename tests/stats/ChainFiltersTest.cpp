// Chain filters over the full list: a combination stands for the draw after
// the last analysed one and is kept when it holds a selected follower; the
// counts come from combinatorics.
#include <gtest/gtest.h>

#include <vector>

#include "stats/ChainFixtures.h"

namespace corvel {
namespace {

using test::Binomial;
using test::ChainArchive;
using test::FullListKept;
using test::GroupRegistry;
using test::Key;
using test::kThirds;

// Only the follower is compared: a combination is kept when it holds one of
// the selected followers, whatever the earlier parts.
TEST(ChainFilters, NumberFollowersOverTheFullList) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    const std::int64_t all = Binomial(48, 6);
    EXPECT_EQ(FullListKept(r, "SDV2", 4, {Key(41, 12), Key(5, 12), Key(12, 30)}), all - Binomial(46, 6));
    EXPECT_EQ(FullListKept(r, "SDN4", 4, {Key(1, 48)}), all - Binomial(47, 6));
    // Three parts: the third word; a 30 in the middle is no follower, and
    // follower 0 is no number.
    EXPECT_EQ(FullListKept(r, "SDP3", 4, {Key(7, 12, 30)}), all - Binomial(47, 6));
    EXPECT_EQ(FullListKept(r, "SDM2", 4, {Key(12, 30)}), 0);
    EXPECT_EQ(FullListKept(r, "SDP2", 4, {}), 0);
}

// Channel followers: the channel of some number of the combination is
// selected; the count members compare the count in their channel.
TEST(ChainFilters, ChannelFollowersAndCountsOverTheFullList) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    const std::int64_t all = Binomial(48, 6);
    EXPECT_EQ(FullListKept(r, "SCV2", 4, {Key(4, 3)}), all - Binomial(42, 6));
    EXPECT_EQ(FullListKept(r, "SCN2", 4, {Key(1, 3), Key(2, 8)}), all - Binomial(36, 6));
    EXPECT_EQ(FullListKept(r, "SCP3", 4, {Key(2, 2, 5)}), all - Binomial(42, 6));
    EXPECT_EQ(FullListKept(r, "SCM1", 4, {Key(2, 5)}), 0);  // follower 0: no channel
    EXPECT_EQ(FullListKept(r, "SC2C2", 4, {Key(1, 2)}), Binomial(6, 2) * Binomial(42, 4));
    EXPECT_EQ(FullListKept(r, "SC2C2", 4, {Key(1, 0), Key(1, 6)}), Binomial(42, 6) + 1);
    EXPECT_EQ(FullListKept(r, "SC3C8", 4, {Key(2, 1, 3)}), Binomial(6, 3) * Binomial(42, 3));
}

// Inside channels, against the newest draw 12 5 27 19 41 38: a selected
// (r, f) with r in the newest draw keeps the combinations holding f, or any
// number of r's channel when f is 0 or the count is selected.
TEST(ChainFilters, InsideChannelsOverTheFullList) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    const std::int64_t all = Binomial(48, 6);
    EXPECT_EQ(FullListKept(r, "SDA2", 4, {Key(5, 0)}), all - Binomial(42, 6));
    EXPECT_EQ(FullListKept(r, "SDA2", 4, {Key(12, 7)}), all - Binomial(47, 6));
    EXPECT_EQ(FullListKept(r, "SDG2", 4, {Key(41, 38), Key(12, 11)}), all - Binomial(46, 6));
    EXPECT_EQ(FullListKept(r, "SDZ2", 4, {Key(41, 0), Key(12, 11)}), all - Binomial(41, 6));
    EXPECT_EQ(FullListKept(r, "SDC2", 4, {Key(12, 2)}), all - Binomial(42, 6));  // 7..12
    EXPECT_EQ(FullListKept(r, "SDC2", 4, {Key(5, 0), Key(41, 3)}), all - Binomial(36, 6));
    EXPECT_EQ(FullListKept(r, "SDA2", 4, {Key(7, 0), Key(30, 30)}), 0);  // 7 and 30 are not in it
    // The newest draw is the last analysed one: against draw 3 (7 11 20 36
    // 41 14) the same selection reads 7's channel.
    EXPECT_EQ(FullListKept(r, "SDA2", 3, {Key(7, 0)}), all - Binomial(42, 6));
}

TEST(ChainFilters, SegmentFollowersAndCountsOverTheFullList) {
    const GroupRegistry r(test::Geometry(6, 6, kThirds), ChainArchive());
    const std::int64_t all = Binomial(48, 6);
    EXPECT_EQ(FullListKept(r, "SSV2", 4, {Key(1, 3)}), all - Binomial(32, 6));
    EXPECT_EQ(FullListKept(r, "SSP3", 4, {Key(3, 3, 3), Key(1, 1, 2)}), all - Binomial(16, 6));
    EXPECT_EQ(FullListKept(r, "SSN6", 4, {Key(2, 0)}), 0);
    EXPECT_EQ(FullListKept(r, "SS2C2", 4, {Key(2, 1)}), 16 * Binomial(32, 5));
    EXPECT_EQ(FullListKept(r, "SS3C3", 4, {Key(1, 2, 6)}), Binomial(16, 6));
}

// The inside rule read straight from its words over every combination, for a
// selection that mixes every kind of value: followers, zero followers and a
// number the newest draw (12 5 27 19 41 38) does not hold.
TEST(ChainFilters, InsideChannelsAgreeWithABruteForce) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    const TCombination newest = r.Draws[4].Numbers;
    const std::vector<TStatKey> selected = {Key(12, 7), Key(5, 0), Key(41, 38), Key(30, 0), Key(19, 20)};
    auto channel = [](int n) { return (n + 5) / 6; };
    auto kept = [&](const int(&x)[6]) {
        for (int q : x)
            for (int n : newest)
                for (const TStatKey& v : selected)
                    if (v[0] == n && (v[1] == 0 ? channel(q) == channel(n) : q == v[1])) return true;
        return false;
    };
    const int index = r.List.FindMethod("SDA2");
    TStatDrawArray values;
    for (const TStatKey& k : selected) {
        TStatDrawRec v;
        v.Key = k;
        values.push_back(v);
    }
    std::vector<std::uint8_t> out(test::AllCombinations().size());
    ParallelSpanMatch(
        [&] {
            auto s = r.List.CreateStat(index);
            s->PrepareFilter(4, false);
            return s;
        },
        test::AllCombinations(), values, false, out.data());
    std::size_t i = 0, differing = 0;
    std::int64_t expected = 0;
    test::ForEachCombination([&](const int(&x)[6]) {
        const bool keep = kept(x);
        expected += keep;
        differing += (out[i++] != 0) != keep;
    });
    EXPECT_EQ(differing, 0u);
    // 7, 38, 20 and the channel 1..6 of 5: nine numbers.
    EXPECT_EQ(expected, Binomial(48, 6) - Binomial(39, 6));
}

}  // namespace
}  // namespace corvel
