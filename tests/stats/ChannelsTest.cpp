// Channels: draw values worked out by hand, the methods each channel width
// registers, seeded rows, full-list counts from combinatorics and a plain
// count over every combination, filters over the full list, texts and the
// channel colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "stats/GroupFixtures.h"
#include "stats/families/Channels.h"

namespace corvel {
namespace {

using test::Binomial;
using test::GroupRegistry;
using test::Key;

struct DrawCase {
    const char* Name;
    int Width;
    TCombination Numbers;
    bool Sorted;
    const char* Code;
    const char* Texts;
};

class ChannelsOfOneDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(ChannelsOfOneDraw, Values) {
    const DrawCase& c = GetParam();
    const GroupRegistry r(test::Geometry(6, c.Width), {test::MakeDraw(7, c.Numbers)});
    EXPECT_EQ(test::DrawTexts(r, c.Code, c.Sorted), c.Texts);
}

constexpr TCombination kDraw{5, 6, 12, 30, 31, 48};
constexpr TCombination kDrawn{30, 5, 48, 6, 12, 31};  // the same numbers in drawn order

INSTANTIATE_TEST_SUITE_P(
    Draws, ChannelsOfOneDraw,
    ::testing::Values(
        DrawCase{"ChannelsTwiceForChannelOne", 6, kDraw, true, "CHAN",
                 "01 [1-6]*2, 02 [7-12], 05 [25-30], 06 [31-36], 08 [43-48]"},
        DrawCase{"CountsOfEveryChannel", 6, kDraw, true, "CHNV",
                 "01 [1-6] x 2, 02 [7-12] x 1, 03 [13-18] x 0, 04 [19-24] x 0, 05 [25-30] x 1, 06 [31-36] x 1, "
                 "07 [37-42] x 0, 08 [43-48] x 1"},
        DrawCase{"OccupiedChannels", 6, kDraw, true, "CHNC", "5"},
        DrawCase{"CountInChannelOne", 6, kDraw, true, "CHN1", "2"},
        DrawCase{"CountInAnEmptyChannel", 6, kDraw, true, "CHN3", "0"},
        DrawCase{"NeighbourPairsSorted", 6, kDraw, true, "KCS2", "1:1, 1:2, 2:5, 5:6, 6:8"},
        DrawCase{"NeighbourPairsDrawn", 6, kDrawn, false, "KCS2", "5:1, 1:8, 8:1, 1:2, 2:6"},
        DrawCase{"NeighbourTriplesDrawn", 6, kDrawn, false, "KCS3", "5:1:8, 1:8:1, 8:1:2, 1:2:6"},
        DrawCase{"NeighbourQuadruples", 6, kDraw, true, "KCS4", "1:1:2:5, 1:2:5:6, 2:5:6:8"},
        DrawCase{"AllPairsMergeEqualTuples", 6, {1, 2, 3, 4, 7, 8}, true, "KCM2", "1:1*6, 1:2*8, 2:2"},
        DrawCase{"AllTriples",
                 6,
                 {1, 2, 7, 8, 13, 14},
                 true,
                 "KCM3",
                 "1:1:2*2, 1:1:3*2, 1:2:2*2, 1:2:3*8, 1:3:3*2, 2:2:3*2, 2:3:3*2"},
        DrawCase{"AllQuadruples", 6, {1, 2, 3, 4, 5, 7}, true, "KCM4", "1:1:1:1*5, 1:1:1:2*10"},
        // The last channel of width 5 reaches past 48 in its text.
        DrawCase{"LastChannelOfWidthFive", 5, {1, 2, 3, 46, 47, 48}, true, "CHAN", "01 [1-5]*3, 10 [46-50]*3"},
        DrawCase{"OneChannelOfWidth48", 48, kDraw, true, "CHNC", "1"},
        DrawCase{"SixChannelsOfWidthThree", 3, {1, 4, 7, 10, 13, 16}, true, "CHNC", "6"}),
    [](const auto& row) { return std::string(row.param.Name); });

// The per-channel methods follow the width; a width of 0 or less registers
// none (and the other channel methods then have no values, dividing by
// nothing).
TEST(Channels, PerChannelMethodsFollowTheWidth) {
    struct {
        int Width;
        int Methods;
    } const cases[] = {{6, 8}, {5, 10}, {7, 7}, {3, 16}, {48, 1}, {0, 0}, {-4, 0}};
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(6, c.Width), {test::MakeDraw(1, kDraw)});
        std::vector<std::string> expected;
        for (int p = 1; p <= c.Methods; ++p) expected.push_back("CHN" + std::to_string(p));
        std::vector<std::string> perChannel;
        for (const std::string& code : r.CodesStartingWith("CHN"))
            if (code != "CHNV" && code != "CHNC") perChannel.push_back(code);
        EXPECT_EQ(perChannel, expected) << "width " << c.Width;
        if (c.Width <= 0) {
            EXPECT_EQ(test::DrawTexts(r, "CHAN", true), "");
            EXPECT_EQ(test::DrawTexts(r, "CHNV", true), "");
            EXPECT_EQ(test::DrawTexts(r, "CHNC", true), "0");
        }
    }
}

TEST(Channels, SeededRows) {
    struct {
        int Width;
        const char* Code;
        const char* Texts;
    } const cases[] = {
        {12, "CHAN", "01 [1-12], 02 [13-24], 03 [25-36], 04 [37-48]"},
        // At most six numbers are drawn, and at most W fall in one channel.
        {24, "CHNV",
         "01 [1-24] x 0, 01 [1-24] x 1, 01 [1-24] x 2, 01 [1-24] x 3, 01 [1-24] x 4, 01 [1-24] x 5, "
         "01 [1-24] x 6, 02 [25-48] x 0, 02 [25-48] x 1, 02 [25-48] x 2, 02 [25-48] x 3, "
         "02 [25-48] x 4, 02 [25-48] x 5, 02 [25-48] x 6"},
        {3, "CHNC", "1, 2, 3"},            // up to six channels occur; rows 4..6 come as they do
        {12, "CHNC", "1, 2, 3, 4, 5, 6"},  // although at most four channels exist
        {4, "CHN2", "1, 2, 3, 4"},         // count 0 gets its row when it occurs
        {6, "KCM2", ""},
    };
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(6, c.Width));
        EXPECT_EQ(test::SeedTexts(r, c.Code), c.Texts) << c.Code << " width " << c.Width;
    }
}

TEST(Channels, TextsAndParsing) {
    const GroupRegistry r(test::Geometry(6, 6));
    auto chan = r.Stat("CHAN");
    EXPECT_EQ(chan->ParseValue("03 [13-18]"), 3);
    EXPECT_EQ(chan->ParseValue("12"), 12);
    EXPECT_EQ(r.Stat("CHNV")->ParseValue("03 [13-18] x 2"), 0);
    EXPECT_FALSE(r.Stat("KCM3")->Class().CanParseValue);
    EXPECT_EQ(r.Stat("CHNC")->ParseValue("4"), 4);
    const TStatClass& cls = *r.List.Item(r.List.FindMethod("KCS3")).StatClass;
    EXPECT_EQ(cls.CaptionFor(0), "Сочетания из 3 каналов по соседним числам");
    EXPECT_EQ(r.List.GetMethodText(r.List.FindMethod("CHN4"), true), "{ grp } Количество чисел в 4 канале [ NG ]");
    EXPECT_EQ(r.List.Item(r.List.FindMethod("CHN4")).StatClass->GetFamilyCode(), "CHNx");
}

// Over all C(48,6) combinations a channel of s numbers holds k of them in
// C(s,k) x C(48-s,6-k) combinations; the number of occupied channels is
// counted by a plain loop over every combination.
TEST(Channels, FullListDistributions) {
    for (int width : {6, 5}) {
        const GroupRegistry r(test::Geometry(6, width));
        const int channels = (48 + width - 1) / width;
        auto size = [&](int c) { return std::min(48, c * width) - (c - 1) * width; };

        const TStatDrawArray chnv = test::FullListHistogram(r, "CHNV");
        std::size_t rows = 0;  // a channel of s numbers holds 0..min(s, 6) of them
        for (int c = 1; c <= channels; ++c) rows += static_cast<std::size_t>(std::min(size(c), 6) + 1);
        ASSERT_EQ(chnv.size(), rows);
        for (int c = 1; c <= channels; ++c)
            for (int k = 0; k <= 6; ++k)
                EXPECT_EQ(test::CountOf(chnv, Key(c, k)), Binomial(size(c), k) * Binomial(48 - size(c), 6 - k))
                    << "width " << width << " channel " << c << " x " << k;

        const TStatDrawArray chan = test::FullListHistogram(r, "CHAN");
        ASSERT_EQ(chan.size(), static_cast<std::size_t>(channels));
        for (const auto& v : chan) EXPECT_EQ(v.Count, size(v.Key[0]) * Binomial(47, 5));

        const TStatDrawArray last = test::FullListHistogram(r, "CHN" + std::to_string(channels));
        for (const auto& v : last)
            EXPECT_EQ(v.Count, Binomial(size(channels), v.Key[0]) * Binomial(48 - size(channels), 6 - v.Key[0]));

        std::array<std::int64_t, 7> occupied{};
        test::ForEachCombination([&](const int(&x)[6]) {
            unsigned seen = 0;
            for (int n : x) seen |= 1u << ((n - 1) / width);
            ++occupied[static_cast<std::size_t>(std::popcount(seen))];
        });
        const TStatDrawArray chnc = test::FullListHistogram(r, "CHNC");
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(test::CountOf(chnc, Key(k)), occupied[static_cast<std::size_t>(k)]);
    }
}

// Filters over the full list: selected rows, zero counts included, keep the
// combinations combinatorics gives.
TEST(Channels, FiltersOverTheFullList) {
    const GroupRegistry r(test::Geometry(6, 6));
    const std::int64_t all = Binomial(48, 6);
    struct {
        const char* Code;
        std::initializer_list<TStatKey> Keys;
        std::int64_t Kept;
    } const cases[] = {
        // Nothing in 13..18, whatever the other channels hold.
        {"CHNV", {Key(3, 0)}, Binomial(42, 6)},
        {"CHNV", {Key(3, 0), Key(3, 1)}, Binomial(42, 6) + 6 * Binomial(42, 5)},
        {"CHN1", {Key(2)}, Binomial(6, 2) * Binomial(42, 4)},
        {"CHN8", {Key(0)}, Binomial(42, 6)},
        {"CHNC", {Key(1)}, 8},  // the six numbers of one channel
        {"CHAN", {Key(1), Key(2)}, all - Binomial(36, 6)},
        // In ascending order some neighbouring pair lies in channel 1 when
        // it holds two numbers or more.
        {"KCS2", {Key(1, 1)}, all - Binomial(42, 6) - 6 * Binomial(42, 5)},
        // Some number of channel 1 before one of channel 2: both occupied.
        {"KCM2", {Key(1, 2)}, all - 2 * Binomial(42, 6) + Binomial(36, 6)},
        {"KCM2", {Key(2, 1)}, 0},  // never in ascending order
    };
    for (const auto& c : cases) EXPECT_EQ(test::FullListMatches(r, c.Code, c.Keys), c.Kept) << c.Code;
}

TEST(Channels, Colours) {
    struct {
        int Number;
        int Width;
        std::uint32_t Rgb;
    } const cases[] = {
        {1, 6, 0xAAFFAA},  {6, 6, 0xAAFFAA},  {7, 6, 0xFFFFAA},  {48, 6, 0xD4D4D4},
        {26, 5, 0xFFD5AA}, {48, 3, 0xFFEAD5},  // channel 16
        {19, 1, 0xD5EAFF},                     // channel 19, the last entry
        {20, 1, 0xAAFFAA},                     // channel 20 starts the table again
        {38, 1, 0xD5EAFF}, {0, 6, 0xFF0000},  {49, 6, 0xFF0000}, {5, 0, 0xFF0000},
    };
    for (const auto& c : cases) EXPECT_EQ(ChannelColour(c.Number, c.Width), c.Rgb) << c.Number << " width " << c.Width;
}

}  // namespace
}  // namespace corvel
