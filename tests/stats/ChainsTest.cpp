// Chains: tables of small archives worked out by hand, the totals that the
// rule of each member gives over the sample archive counted by the test's own
// loops, the methods the settings register, value texts, and that nothing
// after the last analysed draw is read. The filters over the full list are in
// ChainFiltersTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "stats/ChainFixtures.h"
#include "stats/GroupFixtures.h"

namespace corvel {
namespace {

using test::Binomial;
using test::ChainArchive;
using test::GroupRegistry;
using test::Key;
using test::kThirds;

constexpr int kChainGroup = 10;

const TDrawsArray& SampleArchive() {
    static const TDrawsArray draws = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
    return draws;
}

TStatDrawArray Window(const GroupRegistry& r, const std::string& code, int first, int last, bool sorted) {
    auto stat = r.Stat(code);
    EXPECT_TRUE(stat) << code;
    return stat ? ComputeWindowValues(*stat, {first, last}, sorted) : TStatDrawArray{};
}

// The texts of the window over the whole archive, seeded rows included.
std::string WindowTexts(const GroupRegistry& r, const std::string& code, bool sorted) {
    auto stat = r.Stat(code);
    if (!stat) return "no method " + code;
    const int last = static_cast<int>(r.Draws.size()) - 1;
    return test::EntryTexts(*stat, ComputeWindowValues(*stat, {0, last}, sorted));
}

std::int64_t TotalCount(const TStatDrawArray& values) {
    std::int64_t total = 0;
    for (const auto& v : values) total += v.Count;
    return total;
}

const TStatDrawRec* Find(const TStatDrawArray& values, const TStatKey& key) {
    auto it = std::find_if(values.begin(), values.end(), [&](const TStatDrawRec& v) { return v.Key == key; });
    return it != values.end() ? &*it : nullptr;
}

// The codes of every registered chain method.
std::vector<std::string> ChainCodes(const TStatList& list) {
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i).StatClass->Group == kChainGroup) codes.push_back(list.Item(i).Code());
    return codes;
}

// ---- tables of the hand-made archive

struct TableCase {
    const char* Name;
    const char* Code;
    bool Sorted;
    const char* Texts;  // the window over all five draws, worked out by hand
};

class ChainTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(ChainTable, WholeArchive) {
    const TableCase& c = GetParam();
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    EXPECT_EQ(WindowTexts(r, c.Code, c.Sorted), c.Texts);
}

INSTANTIATE_TEST_SUITE_P(
    Archive, ChainTable,
    ::testing::Values(
        // Drawn order: draw 1 holds 12, 5 and 41 at the newest draw's
        // positions 1, 2 and 5, and draw 2 follows with 30, 17 and 44 there;
        // draw 3 holds 41 at position 5 as well, followed by 41.
        TableCase{"NumbersAtSamePositions", "SDP2", false, "12 -> 30, 5 -> 17, 41 -> 44, 41 -> 41"},
        // Sorted only 41 keeps its place (the sixth), in draws 1 and 3.
        TableCase{"NumbersAtSamePositionsSorted", "SDP2", true, "41 -> 44, 41 -> 41"},
        TableCase{"NumberAtFirstPosition", "SDN1", false, "12 -> 30"},
        TableCase{"NumberAtSecondPosition", "SDN2", false, "5 -> 17"},
        TableCase{"NumberAtFifthPosition", "SDN5", false, "41 -> 44, 41 -> 41"},
        TableCase{"NumberAtThirdPositionNone", "SDN3", false, ""},
        TableCase{"NumberAtSixthPositionSorted", "SDN6", true, "41 -> 44, 41 -> 41"},
        // Over three draws position 1 also has the draw before the newest
        // (7) at draw 0: 7, then 12, then 30. At position 5 draw 2 holds 44,
        // not the 41 of the draw before the newest.
        TableCase{"ThreeDrawsAtSamePositions", "SDP3", false, "7-12 -> 30"},
        TableCase{"ThreeDrawsSortedNone", "SDP3", true, ""},
        TableCase{"ThreeDrawsAtFirstPosition", "SDM1", false, "7-12 -> 30"},
        TableCase{"ThreeDrawsAtFifthPositionNone", "SDM5", false, ""},
        // Channels of six (the newest draw's are 2 1 5 4 7 7): draws 0, 1 and
        // 3 share channels with it at positions 1; 1, 2, 5; and 1, 5.
        TableCase{"ChannelsAtSamePositions", "SCP2", false, "02 -> 02*2, 02 -> 05, 01 -> 03, 07 -> 08, 07 -> 07"},
        TableCase{"ChannelsAtSamePositionsSorted", "SCP2", true,
                  "01 -> 01*2, 02 -> 01, 07 -> 07*2, 07 -> 08, 01 -> 02, 02 -> 02"},
        TableCase{"ChannelAtFirstPosition", "SCN1", false, "02 -> 02*2, 02 -> 05"},
        TableCase{"ChannelAtFifthPosition", "SCN5", false, "07 -> 08, 07 -> 07"},
        // Channel 2 at position 1 in draws 0, 1 and the one before the newest.
        TableCase{"ChannelsOverThreeDraws", "SCP3", false, "02-02 -> 05"},
        TableCase{"ChannelOverThreeDrawsAtFirstPosition", "SCM1", false, "02-02 -> 05"},
        // Channel 2 holds 2 2 1 2 1 numbers of draws 0..4: only draw 2 holds
        // one, as the newest does, and draw 3 follows with two. Every
        // follower count 0..6 of the newest count is listed.
        TableCase{"CountInChannel", "SC2C2", false,
                  "1 -> 0*0, 1 -> 1*0, 1 -> 2, 1 -> 3*0, 1 -> 4*0, 1 -> 5*0, 1 -> 6*0"},
        TableCase{"CountInChannelSorted", "SC2C2", true,
                  "1 -> 0*0, 1 -> 1*0, 1 -> 2, 1 -> 3*0, 1 -> 4*0, 1 -> 5*0, 1 -> 6*0"},
        // Over three draws draw 1 holds two as the draw before the newest.
        TableCase{"CountInChannelOverThreeDraws", "SC3C2", false,
                  "2-1 -> 0*0, 2-1 -> 1*0, 2-1 -> 2, 2-1 -> 3*0, 2-1 -> 4*0, 2-1 -> 5*0, 2-1 -> 6*0"},
        // Inside channels: draw 1 shares 12, 5 and 41 with the newest draw
        // (draw 2 has 12 in 12's channel, 5 and 1 in 5's, none in 41's),
        // draw 2 shares 5 and 12 (draw 3: none in 5's channel, 7 and 11 in
        // 12's), draw 3 shares 41 (draw 4: 41 and 38).
        TableCase{"InsideAll", "SDA2", false,
                  "12 -> 12, 05 -> 05, 05 -> 01, 41 -> 00, 05 -> 00, 12 -> 07, 12 -> 11, 41 -> 41, 41 -> 38"},
        // Sorted the followers come in ascending order; the earlier draw is
        // read in drawn order either way.
        TableCase{"InsideAllSorted", "SDA2", true,
                  "12 -> 12, 05 -> 01, 05 -> 05, 41 -> 00, 05 -> 00, 12 -> 07, 12 -> 11, 41 -> 38, 41 -> 41"},
        TableCase{"InsideSuccessful", "SDG2", false,
                  "12 -> 12, 05 -> 05, 05 -> 01, 12 -> 07, 12 -> 11, 41 -> 41, 41 -> 38"},
        TableCase{"InsideUnsuccessful", "SDZ2", false, "41 -> 00, 05 -> 00"},
        TableCase{"InsideCount", "SDC2", false, "12 -> 1, 5 -> 2, 41 -> 0, 5 -> 0, 12 -> 2, 41 -> 2"},
        TableCase{"InsideCountSorted", "SDC2", true, "12 -> 1, 5 -> 2, 41 -> 0, 5 -> 0, 12 -> 2, 41 -> 2"}),
    [](const auto& row) { return std::string(row.param.Name); });

class SegmentChainTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(SegmentChainTable, WholeArchive) {
    const TableCase& c = GetParam();
    const GroupRegistry r(test::Geometry(6, 6, kThirds), ChainArchive());
    EXPECT_EQ(WindowTexts(r, c.Code, c.Sorted), c.Texts);
}

INSTANTIATE_TEST_SUITE_P(Archive, SegmentChainTable,
                         ::testing::Values(
                             // Same segment as the newest draw at positions 1 (draw 0); 1, 2, 5
                             // (draw 1); 5 (draw 2); 1, 2, 3, 5 (draw 3). Draw 2 follows draw 1
                             // with segment 2 at both positions 1 and 2: the value counts twice.
                             TableCase{"SegmentsAtSamePositions", "SSP2", false,
                                       "1 -> 1*3, 1 -> 2*2, 3 -> 3*3, 2 -> 2"},
                             TableCase{"SegmentAtSecondPosition", "SSN2", false, "1 -> 2, 1 -> 1"},
                             // Over three draws: position 1 at draw 1 (draw 0 has the segment of
                             // the draw before the newest there), position 5 at draws 2 and 3.
                             TableCase{"SegmentsOverThreeDraws", "SSP3", false, "1-1 -> 2, 3-3 -> 3*2"},
                             TableCase{"SegmentOverThreeDrawsAtFifthPosition", "SSM5", false, "3-3 -> 3*2"},
                             // Segment 2 holds 2 0 2 1 2 numbers of draws 0..4: draws 0 and 2 hold
                             // two as the newest does, followed by 0 and 1. Only the row of
                             // follower count 0 is listed beforehand.
                             TableCase{"CountInSegment", "SS2C2", false, "2 -> 0, 2 -> 1"},
                             TableCase{"CountInSegmentNeverEqual", "SS2C1", false, "2 -> 0*0"},
                             TableCase{"CountInSegmentOverThreeDraws", "SS3C2", false, "1-2 -> 0*0"}),
                         [](const auto& row) { return std::string(row.param.Name); });

// With every number in segment 1 each draw holds six there: SS2C1 follows 6
// by 6 from every draw with one before it, and lists the one zero row.
TEST(ChainSegments, OneSegmentCountsEveryDraw) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    EXPECT_EQ(WindowTexts(r, "SS2C1", false), "6 -> 0*0, 6 -> 6*4");
    EXPECT_EQ(WindowTexts(r, "SS3C1", true), "6-6 -> 0*0, 6-6 -> 6*3");
    EXPECT_EQ(r.CodesStartingWith("SS2C"), (std::vector<std::string>{"SS2C1"}));
    // A map with holes has a method for every segment between the smallest
    // and the largest.
    const GroupRegistry holes(test::Geometry(6, 6, test::SegmentRuns({{24, '2'}, {24, '5'}})));
    EXPECT_EQ(holes.CodesStartingWith("SS3C"), (std::vector<std::string>{"SS3C2", "SS3C3", "SS3C4", "SS3C5"}));
}

// Any position: draw 1 shares 12, 5 and 41 with the newest draw (18 values,
// followed by draw 2), draw 2 shares 5 and 12 (12 values, followed by draw 3),
// draw 3 shares 41 (6 values, followed by draw 4): 6 x (3 + 2 + 1).
TEST(ChainNumbers, AnyPositionCountsDepthsAndIntervals) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    for (bool sorted : {false, true}) {
        const TStatDrawArray values = Window(r, "SDV2", 0, 4, sorted);
        EXPECT_EQ(TotalCount(values), 36);
        EXPECT_EQ(values.size(), 34u);  // 41 -> 12 and 41 -> 5 come twice
        const TStatDrawRec* twice = Find(values, Key(41, 12));
        ASSERT_TRUE(twice);
        EXPECT_EQ(twice->Count, 2);
        EXPECT_EQ(twice->LastDraw, 5);
        EXPECT_EQ(twice->Depth, 1);
        EXPECT_EQ(twice->MinInterval, 2);  // draws 3 and 5
        EXPECT_EQ(twice->MaxInterval, 2);
        const TStatDrawRec* once = Find(values, Key(5, 12));
        ASSERT_TRUE(once);
        EXPECT_EQ(once->Count, 1);
        EXPECT_EQ(once->LastDraw, 3);
        EXPECT_EQ(once->Depth, 3);
        EXPECT_FALSE(Find(values, Key(7, 30)));  // 7 is not in the newest draw
    }
    // Draw 3 examined alone: two shared numbers give twelve values.
    auto stat = r.Stat("SDV2");
    stat->SetContext(4, false);
    TStatDrawArray one;
    stat->DrawValues(3, one);
    EXPECT_EQ(one.size(), 12u);
    EXPECT_EQ(TotalCount(one), 12);
}

// Channels of any position: every channel of draw 0 (2 4 1 7 4 2) is one of
// the newest draw's, so draw 1 (channels 2 1 6 2 7 1) adds 36 values, and a
// pair of channels that two numbers of each draw give counts four times.
TEST(ChainChannels, AnyPositionCountsEveryPairOfNumbers) {
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    auto stat = r.Stat("SCV2");
    stat->SetContext(4, false);
    TStatDrawArray values;
    stat->DrawValues(1, values);
    EXPECT_EQ(TotalCount(values), 36);
    EXPECT_EQ(values.size(), 16u);  // channels 2, 4, 1, 7 to 2, 1, 6, 7
    ASSERT_TRUE(Find(values, Key(4, 2)));
    EXPECT_EQ(Find(values, Key(4, 2))->Count, 4);
    EXPECT_EQ(Find(values, Key(1, 6))->Count, 1);
    EXPECT_EQ(stat->ValueToText(*Find(values, Key(4, 2))), "04 -> 02");
}

// The per-channel counts follow the channel size: a method per channel, none
// when there are no channels; the other chain methods stay.
TEST(ChainChannels, CountMethodsPerChannel) {
    auto codes = [](int channelSize, const char* prefix) {
        return GroupRegistry(test::Geometry(6, channelSize)).CodesStartingWith(prefix);
    };
    EXPECT_EQ(codes(6, "SC2C"),
              (std::vector<std::string>{"SC2C1", "SC2C2", "SC2C3", "SC2C4", "SC2C5", "SC2C6", "SC2C7", "SC2C8"}));
    EXPECT_EQ(codes(6, "SC3C").size(), 8u);
    EXPECT_EQ(codes(5, "SC2C").size(), 10u);
    EXPECT_EQ(codes(48, "SC3C"), (std::vector<std::string>{"SC3C1"}));
    EXPECT_TRUE(codes(0, "SC2C").empty());
    EXPECT_TRUE(codes(0, "SC3C").empty());
    EXPECT_EQ(ChainCodes(GroupRegistry(test::Geometry(6, 0)).List).size(), 67u - 16u);
}

// The first draw has none before it, the first two none for three draws:
// an archive of one draw gives no value, of two draws no three-part value.
TEST(ChainEdges, OneAndTwoDrawArchives) {
    const TDrawsArray two = {test::MakeDraw(1, {1, 2, 3, 4, 5, 6}), test::MakeDraw(2, {1, 2, 3, 4, 5, 6})};
    const GroupRegistry one(TGameSettings{}, {two[0]});
    const GroupRegistry both(TGameSettings{}, two);
    const std::vector<std::string> codes = ChainCodes(one.List);
    ASSERT_FALSE(codes.empty());
    for (const std::string& code : codes) {
        EXPECT_EQ(TotalCount(Window(one, code, 0, 0, false)), 0) << code;
        const std::string text = both.Stat(code)->ValueToText(TStatDrawRec{});
        const bool threeDraws = std::count(text.begin(), text.end(), '-') == 2;
        const std::int64_t total = TotalCount(Window(both, code, 0, 1, false));
        // The same draw twice: every rule holds, and every number has a
        // follower in its channel, so there is no unsuccessful one.
        if (threeDraws || code == "SDZ2") {
            EXPECT_EQ(total, 0) << code;
        } else {
            EXPECT_GT(total, 0) << code;
        }
    }
}

// ---- totals over the sample archive by the test's own loops

using Numbers = std::array<int, 6>;

Numbers NumbersOf(const TDrawsArray& draws, int index, bool sorted) {
    Numbers n{};
    if (index < 0 || index >= static_cast<int>(draws.size())) return n;
    for (std::size_t k = 0; k < 6; ++k) n[k] = draws[static_cast<std::size_t>(index)].Numbers[k];
    if (sorted) std::sort(n.begin(), n.end());
    return n;
}

// What the rules give over the window first..last when a unit (the number,
// its channel or its segment) is followed.
struct RuleTotals {
    std::int64_t Shared = 0;                // 6 per unit of P1 that R also has
    std::array<std::int64_t, 6> Pos2{};     // per position: the unit of P1 is R's
    std::array<std::int64_t, 6> Pos3{};     // and the unit of P2 is R1's
    std::array<std::int64_t, 16> Count2{};  // per unit u: P1 holds as many in u as R
    std::array<std::int64_t, 16> Count3{};  // and P2 as many as R1
};

RuleTotals CountByRule(const TDrawsArray& draws, int first, int last, bool sorted,
                       const std::function<int(int)>& unit) {
    RuleTotals t;
    auto in = [&](const Numbers& n, int u) {
        return std::count_if(n.begin(), n.end(), [&](int x) { return unit(x) == u; });
    };
    const Numbers r = NumbersOf(draws, last, sorted), r1 = NumbersOf(draws, last - 1, sorted);
    for (int i = std::max(first, 1); i <= last; ++i) {
        const Numbers p1 = NumbersOf(draws, i - 1, sorted), p2 = NumbersOf(draws, i - 2, sorted);
        for (int x : p1)
            if (std::any_of(r.begin(), r.end(), [&](int n) { return unit(n) == unit(x); })) t.Shared += 6;
        for (std::size_t k = 0; k < 6; ++k) {
            if (unit(p1[k]) != unit(r[k])) continue;
            ++t.Pos2[k];
            if (i >= 2 && unit(p2[k]) == unit(r1[k])) ++t.Pos3[k];
        }
        for (int u = 1; u < 16; ++u) {
            if (in(p1, u) != in(r, u)) continue;
            ++t.Count2[static_cast<std::size_t>(u)];
            if (i >= 2 && in(p2, u) == in(r1, u)) ++t.Count3[static_cast<std::size_t>(u)];
        }
    }
    return t;
}

template <std::size_t N>
std::int64_t Sum(const std::array<std::int64_t, N>& a) {
    std::int64_t s = 0;
    for (auto v : a) s += v;
    return s;
}

enum class Unit { Number, Channel, Segment };

struct IdentityCase {
    const char* Name;
    TGameSettings Settings;
    Unit Of;
    const char* Shared;  // the member of any position
    const char* Pos2;    // the members of the same position over two and three draws
    const char* Pos3;
    const char* At2;  // the per-position families
    const char* At3;
    const char* Count2;  // the per-unit count families; null: none
    const char* Count3;
};

class ChainIdentities : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(ChainIdentities, TotalsFollowTheRules) {
    const IdentityCase& c = GetParam();
    const GroupRegistry r(c.Settings, SampleArchive());
    const int newest = static_cast<int>(SampleArchive().size()) - 1;
    const TConfigData& config = c.Settings.Config;
    const std::function<int(int)> unit = [&](int n) {
        if (c.Of == Unit::Channel) return (n + config.ChannelSize - 1) / config.ChannelSize;
        if (c.Of == Unit::Segment) return static_cast<int>(config.MatrixSegments[static_cast<std::size_t>(n - 1)]);
        return n;
    };
    const std::vector<std::string> count2 = c.Count2 ? r.CodesStartingWith(c.Count2) : std::vector<std::string>{};
    const std::vector<std::string> count3 = c.Count3 ? r.CodesStartingWith(c.Count3) : std::vector<std::string>{};
    for (bool sorted : {false, true})
        for (int last : {1, 2, 300, newest}) {
            const int first = std::max(0, last - 199);
            const RuleTotals t = CountByRule(SampleArchive(), first, last, sorted, unit);
            SCOPED_TRACE(testing::Message() << "last " << last << " sorted " << sorted);
            if (last >= 300) {
                ASSERT_GT(t.Shared, 0);
                ASSERT_GT(Sum(t.Pos2), 0);
            }
            EXPECT_EQ(TotalCount(Window(r, c.Shared, first, last, sorted)), t.Shared);
            EXPECT_EQ(TotalCount(Window(r, c.Pos2, first, last, sorted)), Sum(t.Pos2));
            EXPECT_EQ(TotalCount(Window(r, c.Pos3, first, last, sorted)), Sum(t.Pos3));
            for (int p = 1; p <= 6; ++p) {
                const auto k = static_cast<std::size_t>(p - 1);
                EXPECT_EQ(TotalCount(Window(r, c.At2 + std::to_string(p), first, last, sorted)), t.Pos2[k]) << p;
                EXPECT_EQ(TotalCount(Window(r, c.At3 + std::to_string(p), first, last, sorted)), t.Pos3[k]) << p;
            }
            for (const auto& [codes, totals] : {std::pair{&count2, &t.Count2}, std::pair{&count3, &t.Count3}})
                for (const std::string& code : *codes) {
                    const auto u = static_cast<std::size_t>(std::stoi(code.substr(4)));
                    EXPECT_EQ(TotalCount(Window(r, code, first, last, sorted)), (*totals)[u]) << code;
                }
        }
}

INSTANTIATE_TEST_SUITE_P(
    Sample, ChainIdentities,
    ::testing::Values(IdentityCase{"Numbers", {}, Unit::Number, "SDV2", "SDP2", "SDP3", "SDN", "SDM", nullptr, nullptr},
                      IdentityCase{"Channels", {}, Unit::Channel, "SCV2", "SCP2", "SCP3", "SCN", "SCM", "SC2C", "SC3C"},
                      IdentityCase{"ChannelsOfFive", test::Geometry(6, 5), Unit::Channel, "SCV2", "SCP2", "SCP3", "SCN",
                                   "SCM", "SC2C", "SC3C"},
                      IdentityCase{"Segments", test::Geometry(6, 6, "123456789123456789123456789123456789123456789123"),
                                   Unit::Segment, "SSV2", "SSP2", "SSP3", "SSN", "SSM", "SS2C", "SS3C"}),
    [](const auto& row) { return std::string(row.param.Name); });

// ---- value texts

struct TextCase {
    const char* Code;
    TStatKey Key;
    const char* Text;
};

class ChainText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ChainText, WrittenAndNotReadBack) {
    const TextCase& c = GetParam();
    const GroupRegistry r(TGameSettings{}, ChainArchive());
    auto stat = r.Stat(c.Code);
    ASSERT_TRUE(stat) << c.Code;
    TStatDrawRec v;
    v.Key = c.Key;
    EXPECT_EQ(stat->ValueToText(v), c.Text);
    EXPECT_FALSE(stat->Class().CanParseValue);
    EXPECT_EQ(stat->ParseValue(c.Text), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ChainText,
    ::testing::Values(TextCase{"SDV2", Key(5, 17), "5 -> 17"}, TextCase{"SDP2", Key(48, 1), "48 -> 1"},
                      TextCase{"SDN6", Key(3, 40), "3 -> 40"}, TextCase{"SDP3", Key(12, 5, 40), "12-5 -> 40"},
                      TextCase{"SDM1", Key(1, 2, 3), "1-2 -> 3"}, TextCase{"SCV2", Key(3, 7), "03 -> 07"},
                      TextCase{"SCN4", Key(8, 1), "08 -> 01"}, TextCase{"SCP3", Key(1, 2, 3), "01-02 -> 03"},
                      TextCase{"SC2C1", Key(2, 0), "2 -> 0"}, TextCase{"SC3C8", Key(1, 2, 0), "1-2 -> 0"},
                      TextCase{"SDA2", Key(5, 0), "05 -> 00"}, TextCase{"SDG2", Key(41, 38), "41 -> 38"},
                      TextCase{"SDZ2", Key(5, 0), "05 -> 00"}, TextCase{"SDC2", Key(5, 2), "5 -> 2"},
                      TextCase{"SSV2", Key(1, 9), "1 -> 9"}, TextCase{"SSP3", Key(2, 1, 3), "2-1 -> 3"},
                      TextCase{"SS2C1", Key(6, 0), "6 -> 0"}, TextCase{"SS3C1", Key(6, 6, 6), "6-6 -> 6"}),
    [](const auto& row) { return std::string(row.param.Code); });

// ---- no look-ahead

// The table of a window and the filter of the draw after its last draw read
// nothing after that draw: replacing every later draw changes neither.
TEST(ChainEdges, NothingAfterTheLastDrawIsRead) {
    const TDrawsArray& sample = SampleArchive();
    const int last = static_cast<int>(sample.size()) - 8;
    TDrawsArray changed = sample;
    for (std::size_t i = static_cast<std::size_t>(last) + 1; i < changed.size(); ++i)
        changed[i] = test::MakeDraw(changed[i].Number, {1, 2, 3, 4, 5, 6});
    const GroupRegistry a(TGameSettings{}, sample), b(TGameSettings{}, changed);
    std::vector<TCombination> list;
    for (std::size_t i = 0; i < test::AllCombinations().size(); i += 4099) list.push_back(test::AllCombinations()[i]);
    for (const std::string& code : ChainCodes(a.List))
        for (bool sorted : {false, true}) {
            SCOPED_TRACE(code + (sorted ? " sorted" : " drawn"));
            auto sa = a.Stat(code), sb = b.Stat(code);
            const TStatDrawArray va = ComputeWindowValues(*sa, {last - 99, last}, sorted);
            const TStatDrawArray vb = ComputeWindowValues(*sb, {last - 99, last}, sorted);
            EXPECT_EQ(va, vb);
            sa->PrepareFilter(last, sorted);
            sb->PrepareFilter(last, sorted);
            std::vector<std::uint8_t> oa(list.size()), ob(list.size());
            sa->SpanMatch(list, va, false, oa.data());
            sb->SpanMatch(list, va, false, ob.data());
            EXPECT_EQ(oa, ob);
            if (!va.empty()) {
                EXPECT_GT(std::count(oa.begin(), oa.end(), 1), 0);
            }
        }
}

}  // namespace
}  // namespace corvel
