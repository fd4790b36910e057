// Every registered method's span operations must agree with its
// per-combination operations, for any bytes a combination may hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "combs/CombinationEnumeration.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"

namespace corvel {
namespace {

const std::vector<TCombination>& AllCombinations() {
    static const std::vector<TCombination> all = [] {
        std::vector<TCombination> v(kAllCombinations);
        EnumerateAllCombinations(v);
        return v;
    }();
    return all;
}

// A sample of the full list plus combinations a file may hold: unsorted
// numbers, zeros, numbers past 48 and bytes up to 255.
std::vector<TCombination> MixedList() {
    std::vector<TCombination> list;
    const auto& all = AllCombinations();
    for (std::size_t i = 0; i < all.size(); i += 97) list.push_back(all[i]);
    std::mt19937 rng(48);
    std::uniform_int_distribution<int> anyByte(0, 255), number(1, 48);
    for (int i = 0; i < 4000; ++i) {
        TCombination c;
        for (auto& b : c) b = static_cast<std::uint8_t>(i % 2 ? anyByte(rng) : number(rng));
        list.push_back(c);
    }
    list.push_back({1, 2, 3, 4, 5, 99});
    list.push_back({0, 0, 0, 0, 0, 0});
    list.push_back({255, 254, 100, 64, 63, 49});
    list.push_back({48, 47, 46, 45, 44, 43});
    return list;
}

std::vector<TStatDrawArray> SelectionsFor(TCustomStat& stat) {
    // Rows a user could select: every seeded value one by one, a few values
    // together, nothing, and keys no combination can have.
    TStatDrawArray seeded;
    stat.EnumValues(seeded);
    TStatDrawArray histogram;
    stat.SpanHistogramPerCombination(std::span(AllCombinations()).first(200'000), histogram);
    std::vector<TStatDrawArray> selections;
    for (const auto* source : {&seeded, &histogram})
        for (std::size_t i = 0; i < source->size(); i += 5) selections.push_back({(*source)[i]});
    TStatDrawArray several;
    for (std::size_t i = 0; i < histogram.size(); i += 3) several.push_back(histogram[i]);
    selections.push_back(several);
    selections.push_back({});
    TStatDrawRec big;
    big.Key = {300, 0, 0, 0};
    TStatDrawRec high;
    high.Key = {7, 1, 0, 0};  // only word 0 counts for these families
    selections.push_back({big, high});
    return selections;
}

class SpanPaths : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        test::RegisterOver(list_, draws_);
        index_ = list_.FindMethod(GetParam());
        ASSERT_GE(index_, 0);
    }
    TDrawsArray draws_;
    TStatList list_;
    int index_ = -1;
};

TEST_P(SpanPaths, MatchAgreesWithPerCombination) {
    const std::vector<TCombination> combs = MixedList();
    auto stat = list_.CreateStat(index_);
    for (const TStatDrawArray& values : SelectionsFor(*stat)) {
        for (bool exclude : {false, true}) {
            std::vector<std::uint8_t> span(combs.size(), 7), reference(combs.size(), 9);
            stat->SpanMatch(combs, values, exclude, span.data());
            stat->SpanMatchPerCombination(combs, values, exclude, reference.data());
            ASSERT_EQ(span, reference) << "selection of " << values.size() << " values, exclude " << exclude;
        }
    }
}

TEST_P(SpanPaths, HistogramAgreesWithPerCombination) {
    const std::vector<TCombination> combs = MixedList();
    auto stat = list_.CreateStat(index_);
    TStatDrawArray span, reference;
    stat->SpanHistogram(combs, span);
    stat->SpanHistogramPerCombination(combs, reference);
    SortStatValues(span);
    SortStatValues(reference);
    EXPECT_EQ(span, reference);
}

TEST_P(SpanPaths, ParallelRunsAgreeWithOneCall) {
    const std::vector<TCombination> combs = MixedList();
    auto stat = list_.CreateStat(index_);
    auto factory = [&] { return list_.CreateStat(index_); };
    TStatDrawArray one;
    stat->SpanHistogram(combs, one);
    SortStatValues(one);
    EXPECT_EQ(ParallelSpanHistogram(factory, combs), one);

    const TStatDrawArray values = SelectionsFor(*stat).front();
    std::vector<std::uint8_t> serial(combs.size()), parallel(combs.size());
    stat->SpanMatch(combs, values, false, serial.data());
    ParallelSpanMatch(factory, combs, values, false, parallel.data());
    EXPECT_EQ(parallel, serial);
}

std::vector<std::string> AllCodes() {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) codes.push_back(list.Item(i).Code());
    return codes;
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, SpanPaths, ::testing::ValuesIn(AllCodes()),
                         [](const auto& row) {
                             std::string name = row.param;
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

// Over all C(48,6) combinations the counts follow from combinatorics, which
// checks the kernels against something other than themselves.
std::int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

TEST(FullList, HistogramsMatchCombinatorics) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const auto& all = AllCombinations();
    auto histogram = [&](const char* code) {
        const int i = list.FindMethod(code);
        return ParallelSpanHistogram([&] { return list.CreateStat(i); }, all);
    };

    const TStatDrawArray even = histogram("EVEN");
    ASSERT_EQ(even.size(), 7u);
    for (const auto& v : even) EXPECT_EQ(v.Count, Binomial(24, v.Key[0]) * Binomial(24, 6 - v.Key[0])) << v.Key[0];

    const TStatDrawArray prime = histogram("PRIM");  // 16 of the 48 numbers count as prime
    for (const auto& v : prime) EXPECT_EQ(v.Count, Binomial(16, v.Key[0]) * Binomial(32, 6 - v.Key[0])) << v.Key[0];

    const TStatDrawArray pos1 = histogram("POS1");  // the smallest number is n: choose the other five above it
    ASSERT_EQ(pos1.size(), 43u);
    for (const auto& v : pos1) EXPECT_EQ(v.Count, Binomial(48 - v.Key[0], 5)) << v.Key[0];

    const TStatDrawArray nums = histogram("NUMS");  // every number is in C(47,5) combinations
    ASSERT_EQ(nums.size(), 48u);
    for (const auto& v : nums) EXPECT_EQ(v.Count, Binomial(47, 5)) << v.Key[0];

    const TStatDrawArray masks = histogram("PRMV");  // each pattern: choose primes and composites in order
    ASSERT_EQ(masks.size(), 64u);
    std::int64_t total = 0;
    for (const auto& v : masks) total += v.Count;
    EXPECT_EQ(total, static_cast<std::int64_t>(kAllCombinations));

    const TStatDrawArray digits = histogram("DIGS");
    std::int64_t digitTotal = 0;
    for (const auto& v : digits) digitTotal += v.Count;
    // 9 one-digit numbers and 39 two-digit numbers, each in C(47,5) combinations.
    EXPECT_EQ(digitTotal, (9 + 2 * 39) * Binomial(47, 5));
}

}  // namespace
}  // namespace corvel
