// Values accumulated over a window of draws, compared with a plain reading of
// the rules: count the occurrences, remember the newest one and the distances
// between consecutive ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <functional>
#include <numeric>
#include <random>
#include <set>

#include "TestSupport.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

struct Expected {
    int Count = 0;
    int LastDraw = 0;
    int Depth = 0;
    int MinInterval = 0;
    int MaxInterval = 0;
};

// Draw numbers with gaps, numbers in drawing order.
TDrawsArray RandomArchive(int draws, unsigned seed) {
    std::mt19937 rng(seed);
    TDrawsArray archive;
    int number = 100;
    for (int i = 0; i < draws; ++i) {
        std::vector<int> pool(48);
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), rng);
        TCombination c;
        for (int k = 0; k < 6; ++k)
            c[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(pool[static_cast<std::size_t>(k)]);
        number += 1 + static_cast<int>(rng() % 3);
        archive.push_back(test::MakeDraw(number, c));
    }
    return archive;
}

std::map<int, Expected> Reference(const TDrawsArray& draws, int first, int last, bool sorted,
                                  const std::function<std::vector<int>(const TCombination&)>& valuesOf) {
    std::map<int, std::vector<int>> seen;  // value -> draw indices, oldest first
    for (int i = first; i <= last; ++i) {
        TCombination c = draws[static_cast<std::size_t>(i)].Numbers;
        if (sorted) std::sort(c.begin(), c.end());
        for (int v : valuesOf(c)) seen[v].push_back(i);
    }
    std::map<int, Expected> result;
    for (auto& [v, at] : seen) {
        Expected e;
        e.Count = static_cast<int>(at.size());
        e.LastDraw = draws[static_cast<std::size_t>(at.back())].Number;
        e.Depth = last - at.back() + 1;
        for (std::size_t k = 1; k < at.size(); ++k) {
            int d = draws[static_cast<std::size_t>(at[k])].Number - draws[static_cast<std::size_t>(at[k - 1])].Number;
            e.MinInterval = e.MinInterval == 0 ? d : std::min(e.MinInterval, d);
            e.MaxInterval = std::max(e.MaxInterval, d);
        }
        result[v] = e;
    }
    return result;
}

struct WindowCase {
    const char* Name;
    const char* Code;
    int Window;
    int Offset;
    bool Sorted;
    std::function<std::vector<int>(const TCombination&)> ValuesOf;
};

class WindowValues : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowValues, AgreeWithPlainCounting) {
    const WindowCase& c = GetParam();
    const TDrawsArray draws = RandomArchive(80, 6048);
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(c.Code));
    const TStatWindow window = MakeStatWindow(draws.size(), c.Offset, c.Window);
    ASSERT_EQ(window.Last, 79 - c.Offset);
    ASSERT_EQ(window.First, std::max(0, window.Last - c.Window + 1));

    const TStatDrawArray values = ComputeWindowValues(*stat, window, c.Sorted);
    const auto expected = Reference(draws, window.First, window.Last, c.Sorted, c.ValuesOf);
    int occurred = 0;
    for (const auto& v : values) {
        SCOPED_TRACE(stat->ValueToText(v));
        auto it = expected.find(v.Key[0]);
        if (it == expected.end()) {  // a seeded value that never occurred
            EXPECT_EQ(v.Count, 0);
            EXPECT_EQ(v.Depth, 0);
            EXPECT_EQ(v.LastDraw, 0);
            continue;
        }
        ++occurred;
        EXPECT_EQ(v.Count, it->second.Count);
        EXPECT_EQ(v.LastDraw, it->second.LastDraw);
        EXPECT_EQ(v.Depth, it->second.Depth);
        EXPECT_EQ(v.MinInterval, it->second.MinInterval);
        EXPECT_EQ(v.MaxInterval, it->second.MaxInterval);
    }
    EXPECT_EQ(occurred, static_cast<int>(expected.size()));
}

std::vector<int> Numbers(const TCombination& c) { return {c.begin(), c.end()}; }
std::vector<int> EvenCount(const TCombination& c) {
    return {static_cast<int>(std::count_if(c.begin(), c.end(), [](int n) { return n % 2 == 0; }))};
}
std::vector<int> Third(const TCombination& c) { return {c[2]}; }
std::vector<int> PrimeMask(const TCombination& c) {
    static const std::set<int> primes{1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47};
    int mask = 0;
    for (int n : c) mask = mask * 2 + (primes.count(n) ? 1 : 0);
    return {mask};
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowValues,
                         ::testing::Values(WindowCase{"NumsWhole", "NUMS", 1000, 0, false, Numbers},
                                           WindowCase{"NumsLast30", "NUMS", 30, 0, false, Numbers},
                                           WindowCase{"NumsOffset5", "NUMS", 30, 5, false, Numbers},
                                           WindowCase{"EvenOffset", "EVEN", 40, 3, false, EvenCount},
                                           WindowCase{"Pos3Drawn", "POS3", 60, 0, false, Third},
                                           WindowCase{"Pos3Sorted", "POS3", 60, 0, true, Third},
                                           WindowCase{"PrimeMaskSortedOffset", "PRMV", 50, 7, true, PrimeMask},
                                           WindowCase{"OneDraw", "NUMS", 1, 0, false, Numbers}),
                         [](const auto& row) { return std::string(row.param.Name); });

TEST(StatWindow, LongerThanArchiveStartsAtOldestDraw) {
    const TStatWindow w = MakeStatWindow(10, 3, 1000);
    EXPECT_EQ(w.First, 0);
    EXPECT_EQ(w.Last, 6);
    EXPECT_EQ(w.Length(), 7);
    EXPECT_EQ(MakeStatWindow(0, 0, 10).Length(), 0);
}

TEST(StatWindow, LengthOfZeroOrLessTakesNoDraws) {
    for (int length : {0, -1, -1000, INT32_MIN}) {
        EXPECT_EQ(MakeStatWindow(10, 0, length).Length(), 0) << length;
        EXPECT_EQ(MakeStatWindow(10, 3, length).Length(), 0) << length;
    }
    EXPECT_EQ(MakeStatWindow(10, 0, INT32_MAX).Length(), 10);
    EXPECT_EQ(MakeStatWindow(10, 0, 1).First, 9);
}

TEST(StatWindow, FindValueDrawLooksIntoHiddenDraws) {
    const TDrawsArray draws{test::MakeDraw(10, {1, 2, 3, 4, 5, 6}), test::MakeDraw(11, {7, 8, 9, 10, 11, 12}),
                            test::MakeDraw(13, {13, 14, 15, 16, 17, 1}), test::MakeDraw(14, {2, 20, 21, 22, 23, 24})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod("NUMS"));
    TStatDrawRec one;
    one.Key[0] = 1;
    stat->SetContext(1, false);
    EXPECT_EQ(stat->FindValueDraw(one, 1), 13);
    TStatDrawRec never;
    never.Key[0] = 48;
    EXPECT_EQ(stat->FindValueDraw(never, 1), -1);
    TStatDrawRec two;
    two.Key[0] = 2;
    EXPECT_EQ(stat->FindValueDraw(two, 4), -1);  // past the newest draw
}

// A digit that one draw gives twice (11, or 1 and 10) counts twice but is one
// occurrence: its intervals are the distances between the draws holding it.
TEST(StatWindow, ValueGivenTwiceByOneDrawIsOneOccurrence) {
    const TDrawsArray draws{test::MakeDraw(10, {11, 2, 3, 4, 5, 6}), test::MakeDraw(12, {1, 20, 30, 40, 7, 8}),
                            test::MakeDraw(15, {10, 21, 33, 44, 7, 8})};
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod("DIGS"));
    for (const auto& v : ComputeWindowValues(*stat, MakeStatWindow(draws.size(), 0, 3), false)) {
        if (v.Key[0] != 1) continue;
        EXPECT_EQ(v.Count, 5);  // 11; 1; 10 and 21
        EXPECT_EQ(v.MinInterval, 2);
        EXPECT_EQ(v.MaxInterval, 3);
        return;
    }
    ADD_FAILURE() << "no digit 1";
}

}  // namespace
}  // namespace corvel
