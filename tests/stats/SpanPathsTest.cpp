// One parity fixture over every method: on the sample archive, in drawn and
// sorted order and at several last draws, the span match, the span histogram
// and the per-combination path must agree exactly, for selections taken from
// the method's own window values (all key words) and for any bytes a
// combination may hold. Besides the registered methods the fixture runs over
// methods built here on the generic kernels no family uses yet (16-bit values,
// tuples, 32- and 64-bit patterns).
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <functional>
#include <random>
#include <tuple>

#include "model/DrawArchive.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatFixtures.h"
#include "stats/ValueStat.h"

namespace corvel {
namespace {

using test::AllCombinations;

// A sample of the full list plus combinations a file may hold: unsorted
// numbers, zeros, numbers past 48 and bytes up to 255.
const std::vector<TCombination>& MixedList() {
    static const std::vector<TCombination> list = [] {
        std::vector<TCombination> v;
        const auto& all = AllCombinations();
        for (std::size_t i = 0; i < all.size(); i += 211) v.push_back(all[i]);
        std::mt19937 rng(48);
        std::uniform_int_distribution<int> anyByte(0, 255), number(1, 48);
        for (int i = 0; i < 4000; ++i) {
            TCombination c;
            for (auto& b : c) b = static_cast<std::uint8_t>(i % 2 ? anyByte(rng) : number(rng));
            v.push_back(c);
        }
        v.push_back({1, 2, 3, 4, 5, 99});
        v.push_back({0, 0, 0, 0, 0, 0});
        v.push_back({255, 254, 100, 64, 63, 49});
        v.push_back({255, 255, 255, 255, 255, 255});
        v.push_back({48, 47, 46, 45, 44, 43});
        return v;
    }();
    return list;
}

const TDrawsArray& SampleArchive() {
    static const TDrawsArray draws = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
    return draws;
}

// ---- methods on the kernels that no family uses yet

// The sum of the six numbers: a 16-bit value (any six bytes sum to at most 1530).
int SumOf(const TCombination& c, int) { return c[0] + c[1] + c[2] + c[3] + c[4] + c[5]; }

// Every pair of numbers as a tuple in words 0 and 1.
struct Pairs {
    static constexpr std::size_t kMaxPerItem = 15;
    static constexpr std::size_t kMaxDistinct = 65536;
    template <class Sink>
    static void Of(const TCombination& c, int, Sink&& sink) {
        for (std::size_t i = 0; i < c.size(); ++i)
            for (std::size_t j = i + 1; j < c.size(); ++j) sink(TStatKey{c[i], c[j], 0, 0});
    }
};

// The signed difference of the first and the last number as a 32-bit value in
// words 0 and 1 (-1 is two words 65535), with the parameter in word 2.
struct SignedSpread {
    static constexpr std::size_t kMaxPerItem = 1;
    static constexpr std::size_t kMaxDistinct = 511;
    template <class Sink>
    static void Of(const TCombination& c, int param, Sink&& sink) {
        TStatKey key{};
        SetKeyInt32(key, 0, c[0] - c[5]);
        key[2] = static_cast<std::uint16_t>(param);
        sink(key);
    }
};

// The numbers modulo 64 as a 64-bit set over all four words.
struct NumberSet {
    static constexpr std::size_t kMaxPerItem = 1;
    static constexpr std::size_t kMaxDistinct = std::size_t{1} << 40;
    template <class Sink>
    static void Of(const TCombination& c, int, Sink&& sink) {
        std::uint64_t set = 0;
        for (auto n : c) set |= std::uint64_t{1} << (n & 63);
        sink(TStatKey{static_cast<std::uint16_t>(set), static_cast<std::uint16_t>(set >> 16),
                      static_cast<std::uint16_t>(set >> 32), static_cast<std::uint16_t>(set >> 48)});
    }
};

// How many numbers the item shares with the draw before it (for a bare
// combination: the last analysed draw), read through the method.
struct SharedWithPrevious {
    static constexpr bool kWholeKeys = false;
    static constexpr bool kReadsDraws = true;
    static int Shared(const TCombination& c, const TDrawRec& before) {
        int n = 0;
        for (auto a : c)
            for (auto b : before.Numbers) n += a == b;
        return n;
    }
    template <class Sink>
    static void Values(const TCustomStat& stat, const TStatItem& item, Sink&& sink) {
        sink(Shared(item.Numbers, stat.GetDraw(item.Index - 1)));
    }
    static void Match(const TCustomStat& stat, std::span<const TCombination> combs, const TStatDrawArray& values,
                      std::uint8_t* out) {
        const TDrawRec before = stat.GetDraw(stat.Context().LastIndex);
        kernels::MatchValue(combs, kernels::SelectKey0(values), out,
                            [&](const TCombination& c) { return Shared(c, before); });
    }
    static void Histogram(const TCustomStat& stat, std::span<const TCombination> combs, TStatDrawArray& values) {
        const TDrawRec before = stat.GetDraw(stat.Context().LastIndex);
        kernels::HistogramOfValue<256>(combs, values, [&](const TCombination& c) { return Shared(c, before); });
    }
};

const TStatClass kSum = StatRow<values::OneValue<SumOf, 1531>>(
    {.ClassName = "TstTestSum", .Code = "TSUM", .Flags = kFlagN, .SeedFirst = 21, .SeedLast = 273});
const TStatClass kPairs =
    StatRow<values::KeyValues<Pairs>>({.ClassName = "TstTestPairs", .Code = "TPAIR", .Flags = kFlagN});
const TStatClass kSpread =
    StatRow<values::KeyValues<SignedSpread>>({.ClassName = "TstTestSpread", .Code = "TSPR", .Flags = kFlagS | kFlagN});
const TStatClass kSet =
    StatRow<values::KeyValues<NumberSet>>({.ClassName = "TstTestSet", .Code = "TSET", .Flags = kFlagN});
const TStatClass kShared = StatRow<SharedWithPrevious>({.ClassName = "TstTestShared", .Code = "TSHR", .Flags = kFlagD});
const TStatClass* const kKernelMethods[] = {&kSum, &kPairs, &kSpread, &kSet, &kShared};

// ---- the fixture

// The codes of every registered method and of the methods above.
std::vector<std::string> AllMethods() {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) codes.push_back(list.Item(i).Code());
    for (const TStatClass* c : kKernelMethods) codes.push_back(c->Code);
    return codes;
}

enum class LastDraw { First, Second, Third, FiveBeforeNewest, Newest };

int LastIndexOf(LastDraw last, int count) {
    switch (last) {
        case LastDraw::First:
            return 0;
        case LastDraw::Second:
            return 1;
        case LastDraw::Third:
            return 2;
        case LastDraw::FiveBeforeNewest:
            return count - 1 - 5;
        case LastDraw::Newest:
            break;
    }
    return count - 1;
}

using ParityParam = std::tuple<std::string, bool, LastDraw>;

class SpanParity : public ::testing::TestWithParam<ParityParam> {
  protected:
    void SetUp() override {
        ASSERT_GE(SampleArchive().size(), 100u);
        test::RegisterOver(list_, SampleArchive());
        const auto& [code, sorted, last] = GetParam();
        lastIndex_ = LastIndexOf(last, static_cast<int>(SampleArchive().size()));
        sorted_ = sorted;
        const int index = list_.FindMethod(code);
        if (index >= 0) {
            stat_ = list_.CreateStat(index);
        } else {
            for (const TStatClass* c : kKernelMethods)
                if (code == c->Code) stat_ = c->Create(*c, list_, 3);
        }
        ASSERT_TRUE(stat_) << code;
        // The values of the window ending at the last draw; this also sets
        // the instance's context to that draw and the order.
        windowValues_ = ComputeWindowValues(*stat_, {std::max(0, lastIndex_ - 99), lastIndex_}, sorted_);
        ASSERT_EQ(stat_->Context().LastIndex, lastIndex_);
    }

    // Rows a user could select: single values spread over the window's
    // values, every other value, all of them, nothing, a few values of the
    // list, and keys no
    // combination has or that differ only in the upper words.
    std::vector<TStatDrawArray> Selections() const {
        std::vector<TStatDrawArray> selections;
        const std::size_t n = windowValues_.size();
        const std::size_t step = std::max<std::size_t>(1, n / 12);
        for (std::size_t i = 0; i < n; i += step) selections.push_back({windowValues_[i]});
        TStatDrawArray everyOther;
        for (std::size_t i = 0; i < n; i += 2) everyOther.push_back(windowValues_[i]);
        selections.push_back(everyOther);
        selections.push_back(windowValues_);
        selections.push_back({});
        // Values of the list itself, for methods whose window values are
        // too rare to occur in it (whole sets of numbers).
        TStatDrawArray listValues;
        stat_->SpanHistogramPerCombination(std::span(MixedList()).first(500), listValues);
        for (std::size_t i = 0; i < listValues.size(); i += std::max<std::size_t>(1, listValues.size() / 3))
            selections.push_back({listValues[i]});
        TStatDrawRec big, upper, negative;
        big.Key = {300, 0, 0, 0};
        upper.Key = {7, 1, 0, 0};
        negative.Key = {65535, 65535, 3, 0};
        selections.push_back({big, upper, negative});
        return selections;
    }

    TStatList list_;
    std::unique_ptr<TCustomStat> stat_;
    TStatDrawArray windowValues_;
    int lastIndex_ = -1;
    bool sorted_ = false;
};

TEST_P(SpanParity, MatchAgreesWithPerCombination) {
    const auto& combs = MixedList();
    int matchedSomewhere = 0;
    for (const TStatDrawArray& values : Selections()) {
        for (bool exclude : {false, true}) {
            std::vector<std::uint8_t> span(combs.size(), 7), reference(combs.size(), 9);
            stat_->SpanMatch(combs, values, exclude, span.data());
            stat_->SpanMatchPerCombination(combs, values, exclude, reference.data());
            ASSERT_EQ(span, reference) << "selection of " << values.size() << " values, exclude " << exclude;
            matchedSomewhere += std::count(span.begin(), span.end(), 1) > 0;
        }
    }
    // Methods that filter at all must have been tested with matching selections.
    if (stat_->Class().IsPrefetchable()) {
        EXPECT_GT(matchedSomewhere, 0);
    }
}

// On the mixed list, a piece of the full list and a piece with faults in its
// runs of equal first numbers.
TEST_P(SpanParity, HistogramAgreesWithPerCombination) {
    const std::span<const TCombination> lists[] = {MixedList(), std::span(AllCombinations()).subspan(7'000'000, 30'000),
                                                   test::RunsWithFaults()};
    for (const auto combs : lists) {
        TStatDrawArray span, reference;
        stat_->SpanHistogram(combs, span);
        stat_->SpanHistogramPerCombination(combs, reference);
        SortStatValues(span);
        SortStatValues(reference);
        EXPECT_EQ(span, reference) << combs.size() << " combinations";
    }
}

// A method that needs no other draw gives a draw the values of its numbers:
// DrawValues and CombValues come from the same definition.
TEST_P(SpanParity, DrawValuesAreTheValuesOfTheNumbers) {
    if (!stat_->Class().IsPrefetchable()) GTEST_SKIP() << "reads more than the numbers";
    for (int i = std::max(0, lastIndex_ - 20); i <= lastIndex_; ++i) {
        TStatDrawArray fromDraw, fromNumbers;
        stat_->DrawValues(i, fromDraw);
        stat_->CombValues(stat_->GetDraw(i).Numbers, fromNumbers);
        ASSERT_EQ(fromDraw.size(), fromNumbers.size()) << "draw " << i;
        for (std::size_t k = 0; k < fromDraw.size(); ++k) {
            EXPECT_EQ(fromDraw[k].Key, fromNumbers[k].Key) << "draw " << i;
            EXPECT_EQ(fromDraw[k].Count, fromNumbers[k].Count) << "draw " << i;
        }
    }
}

// A test name for a method code: codes may hold "+" and "-" (PRV+1, PRV-1),
// which must stay apart.
std::string CodeName(const std::string& code) {
    std::string name;
    for (char c : code) {
        if (c == '+')
            name += "Plus";
        else if (c == '-')
            name += "Minus";
        else
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

std::string ParityName(const ::testing::TestParamInfo<ParityParam>& info) {
    const auto& [code, sorted, last] = info.param;
    static const char* const kLast[] = {"Last0", "Last1", "Last2", "LastHighMinus5", "LastHigh"};
    return CodeName(code) + (sorted ? "_Sorted_" : "_Drawn_") + kLast[static_cast<int>(last)];
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, SpanParity,
                         ::testing::Combine(::testing::ValuesIn(AllMethods()), ::testing::Bool(),
                                            ::testing::Values(LastDraw::First, LastDraw::Second, LastDraw::Third,
                                                              LastDraw::FiveBeforeNewest, LastDraw::Newest)),
                         ParityName);

// Split across the cores, the span operations give what one call gives.
class SpanParallel : public ::testing::TestWithParam<std::string> {};

TEST_P(SpanParallel, RunsAgreeWithOneCall) {
    TStatList list;
    test::RegisterOver(list, SampleArchive());
    const int index = list.FindMethod(GetParam());
    ASSERT_GE(index, 0);
    const int last = static_cast<int>(SampleArchive().size()) - 1;
    auto factory = [&] {
        auto s = list.CreateStat(index);
        s->PrepareFilter(last, false);
        return s;
    };
    const auto& combs = MixedList();
    auto stat = factory();
    TStatDrawArray one;
    stat->SpanHistogram(combs, one);
    SortStatValues(one);
    EXPECT_EQ(ParallelSpanHistogram(factory, combs), one);

    const TStatDrawArray values = ComputeWindowValues(*stat, {last - 9, last}, false);
    stat->PrepareFilter(last, false);
    std::vector<std::uint8_t> serial(combs.size()), parallel(combs.size());
    stat->SpanMatch(combs, values, false, serial.data());
    ParallelSpanMatch(factory, combs, values, false, parallel.data());
    EXPECT_EQ(parallel, serial);
}

std::vector<std::string> RegisteredCodes() {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    std::vector<std::string> codes;
    for (int i = 0; i < list.Count(); ++i) codes.push_back(list.Item(i).Code());
    return codes;
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, SpanParallel, ::testing::ValuesIn(RegisteredCodes()),
                         [](const auto& row) { return CodeName(row.param); });

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

// The new kernels against combinatorics as well: every pair of numbers is in
// C(46,4) combinations, and the sums run from 21 to 273 symmetrically.
TEST(FullList, WideAndTupleKernelsMatchCombinatorics) {
    TDrawsArray draws;
    TStatList list;
    test::RegisterOver(list, draws);
    const auto& all = AllCombinations();

    const TStatDrawArray pairs = ParallelSpanHistogram([&] { return kPairs.Create(kPairs, list, 0); }, all);
    ASSERT_EQ(pairs.size(), static_cast<std::size_t>(Binomial(48, 2)));
    for (const auto& v : pairs) {
        ASSERT_LT(v.Key[0], v.Key[1]);
        ASSERT_EQ(v.Count, Binomial(46, 4)) << v.Key[0] << "," << v.Key[1];
    }

    const TStatDrawArray sums = ParallelSpanHistogram([&] { return kSum.Create(kSum, list, 0); }, all);
    ASSERT_EQ(sums.size(), 273u - 21u + 1u);
    EXPECT_EQ(sums.front().Key[0], 21);
    EXPECT_EQ(sums.front().Count, 1);  // 1 2 3 4 5 6
    EXPECT_EQ(sums.back().Key[0], 273);
    EXPECT_EQ(sums.back().Count, 1);  // 43 .. 48
    for (std::size_t i = 0; i < sums.size(); ++i)
        EXPECT_EQ(sums[i].Count, sums[sums.size() - 1 - i].Count) << sums[i].Key[0];  // n -> 49 - n
}

}  // namespace
}  // namespace corvel
