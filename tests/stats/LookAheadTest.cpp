// No method reads past the last analysed draw: for every registered method,
// the window's values, the filter's answers and the plotted values of a
// window ending before the newest draw stay the same when every later draw
// is replaced. A back-test relies on this: the draw it predicts must not be
// seen by the statistics it uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "model/DrawArchive.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

constexpr int kLast = 200;

const TDrawsArray& Archive() {
    static const TDrawsArray draws = [] {
        TDrawsArray all = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
        all.resize(std::min<std::size_t>(all.size(), kLast + 40));
        return all;
    }();
    return draws;
}

// The same archive with other numbers in every draw after kLast.
const TDrawsArray& ChangedLater() {
    static const TDrawsArray draws = [] {
        TDrawsArray changed = Archive();
        std::mt19937 rng(2026);
        for (std::size_t i = kLast + 1; i < changed.size(); ++i) {
            std::vector<std::uint8_t> pool;
            for (int n = kMinNumber; n <= kMaxNumber; ++n) pool.push_back(static_cast<std::uint8_t>(n));
            std::shuffle(pool.begin(), pool.end(), rng);
            std::copy_n(pool.begin(), kNumbersPerDraw, changed[i].Numbers.begin());
        }
        return changed;
    }();
    return draws;
}

std::vector<std::string> Codes() {
    TDrawsArray none;
    TStatList list;
    test::RegisterOver(list, none);
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) codes.push_back(list.Item(i).Code());
    return codes;
}

// Combinations to filter: random numbers, some of them the numbers of the
// changed draws, so that a method reading those draws would answer
// differently.
std::vector<TCombination> Candidates() {
    std::vector<TCombination> combs;
    for (std::size_t i = kLast + 1; i < Archive().size(); ++i) {
        combs.push_back(Archive()[i].Numbers);
        combs.push_back(ChangedLater()[i].Numbers);
    }
    std::mt19937 rng(48);
    std::uniform_int_distribution<int> number(kMinNumber, kMaxNumber);
    for (int i = 0; i < 3000; ++i) {
        TCombination c;
        for (auto& b : c) b = static_cast<std::uint8_t>(number(rng));
        combs.push_back(c);
    }
    return combs;
}

struct Seen {
    TStatDrawArray Values;
    std::vector<std::uint8_t> Keep, Some;
    std::vector<int> Graph;
};

Seen SeenBy(const TDrawsArray& draws, const std::string& code, bool sorted) {
    TStatList list;
    test::RegisterOver(list, draws);
    auto stat = list.CreateStat(list.FindMethod(code));
    Seen seen;
    seen.Values = ComputeWindowValues(*stat, {kLast - 99, kLast}, sorted);
    const std::vector<TCombination> combs = Candidates();
    stat->PrepareFilter(kLast, sorted);
    seen.Keep.resize(combs.size());
    stat->SpanMatch(combs, seen.Values, false, seen.Keep.data());
    TStatDrawArray some;
    for (std::size_t i = 0; i < seen.Values.size(); i += 3) some.push_back(seen.Values[i]);
    seen.Some.resize(combs.size());
    for (std::size_t i = 0; i < combs.size(); ++i) seen.Some[i] = stat->CombMatches(combs[i], some, true) ? 1 : 0;
    if (stat->Class().Graph) {
        for (int i = kLast - 5; i <= kLast; ++i) seen.Graph.push_back(stat->DrawGraphValue(i));
        for (std::size_t i = 0; i < 200; ++i) seen.Graph.push_back(stat->CombGraphValue(combs[i]));
    }
    return seen;
}

class NoLookAhead : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(NoLookAhead, LaterDrawsChangeNothing) {
    ASSERT_GT(Archive().size(), static_cast<std::size_t>(kLast + 10));
    const auto& [code, sorted] = GetParam();
    const Seen before = SeenBy(Archive(), code, sorted);
    const Seen after = SeenBy(ChangedLater(), code, sorted);
    EXPECT_EQ(before.Values, after.Values);
    EXPECT_EQ(before.Keep, after.Keep);
    EXPECT_EQ(before.Some, after.Some);
    EXPECT_EQ(before.Graph, after.Graph);
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, NoLookAhead, ::testing::Combine(::testing::ValuesIn(Codes()), ::testing::Bool()),
                         [](const auto& row) {
                             std::string name = std::get<0>(row.param) + (std::get<1>(row.param) ? "_sorted" : "");
                             std::string id;
                             for (char ch : name) id += ch == '+' ? "Plus" : ch == '-' ? "Minus" : std::string(1, ch);
                             return id;
                         });

}  // namespace
}  // namespace corvel
