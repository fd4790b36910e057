// Speed of the span operations of the statistic methods over the full list of
// combinations, each next to its reference in the same run:
//   - a plain memory copy of the list (the floor any pass over it is held to);
//   - the per-combination path (one virtual call per combination), which the
//     span operations replace.
// The program first checks that both paths give identical results, runs the
// cases through Google Benchmark and then prints a summary of the ratios with
// their goals. A missed goal is reported, never turned into a failure.
//
// Usage: corvel_span_bench [--quick] [Google Benchmark flags]
//   --quick (or CORVEL_BENCH_QUICK=1) runs every case once over a sample of
//   the list, for a smoke run of a second or two.

#include <benchmark/benchmark.h>
#include <tbb/info.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <span>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/CombinationEnumeration.h"
#include "model/CombsArray.h"
#include "model/DrawRecord.h"
#include "stats/FilterApply.h"
#include "model/GameConstants.h"
#include "stats/CustomStat.h"
#include "stats/Prefetch.h"
#include "stats/StatCompute.h"
#include "stats/StatList.h"
#include "stats/StatValue.h"

namespace {

using corvel::TCombination;
using corvel::TStatDrawArray;

// The methods measured, with the values a filter would select for each.
struct MethodCase {
    const char* Code;
    std::vector<std::uint16_t> Keys;
    std::vector<corvel::TStatKey> Tuples = {};  // whole keys, for tuple methods
};

const std::vector<MethodCase>& Cases() {
    static const std::vector<MethodCase> cases = {
        {"EVEN", {2, 3}},                   // two or three even numbers
        {"PRMV", {0, 9, 21, 42, 52, 63}},   // a few prime/composite patterns
        {"POS3", {5, 12, 19, 26, 33, 40}},  // six numbers at the third position
    };
    return cases;
}

// Filters as the program runs them, each with six selected values.
const std::vector<MethodCase>& FilterCases() {
    static const std::vector<MethodCase> cases = {
        {"EVEN", {0, 1, 2, 4, 5, 6}},
        {"PRMV", {0, 9, 21, 42, 52, 63}},
        {"NUMS", {3, 11, 19, 27, 35, 43}},
        {"SUMS", {120, 130, 140, 150, 160, 170}},
        {"DIFA", {1, 2, 3, 5, 8, 13}},
        {"SEQL", {2, 3, 4, 5, 6, 7}},  // some run of two or more
        {"KNM2", {}, {{5, 17, 0, 0}, {1, 2, 0, 0}, {23, 41, 0, 0}, {10, 11, 0, 0}, {30, 40, 0, 0}, {47, 48, 0, 0}}},
        // The channel, matrix and segment families (channels of 6, 6 columns,
        // the segments of GeometryBenchSegments).
        {"CHAN", {1, 3, 8}},
        {"CHNV", {}, {{1, 2, 0, 0}, {3, 0, 0, 0}, {5, 1, 0, 0}, {8, 3, 0, 0}, {2, 4, 0, 0}, {6, 2, 0, 0}}},
        {"CHNC", {2, 3}},
        {"CHN3", {0, 2}},
        {"KCM2", {}, {{1, 2, 0, 0}, {3, 3, 0, 0}, {4, 8, 0, 0}, {2, 2, 0, 0}, {5, 7, 0, 0}, {6, 6, 0, 0}}},
        {"KCS3", {}, {{1, 2, 3, 0}, {2, 4, 6, 0}, {3, 5, 7, 0}, {1, 1, 2, 0}, {6, 7, 8, 0}, {4, 4, 4, 0}}},
        {"COLV", {}, {{1, 2, 0, 0}, {2, 0, 0, 0}, {4, 1, 0, 0}, {6, 3, 0, 0}, {3, 2, 0, 0}, {5, 1, 0, 0}}},
        {"COLM", {}, {{0b111000, 0, 0, 0}, {0b101101, 0, 0, 0}, {0b011110, 0, 0, 0}, {0b110011, 0, 0, 0}}},
        {"ROWM", {}, {{0b11000011, 0, 0, 0}, {0b10101010, 0, 0, 0}, {0b00111100, 0, 0, 0}, {0b11110000, 0, 0, 0}}},
        {"COLA", {}, {{1, 2, 0, 0}, {2, 3, 0, 0}, {3, 2, 0, 0}, {6, 2, 0, 0}}},
        {"ROWC", {1, 2}},
        {"KRM4", {}, {{1, 2, 3, 4}, {2, 4, 6, 8}, {1, 1, 5, 8}, {3, 4, 5, 6}, {1, 3, 5, 7}, {2, 2, 7, 8}}},
        {"COL4", {1, 3}},
        {"SGMV", {}, {{1, 2, 0, 0}, {2, 0, 0, 0}, {3, 4, 0, 0}}},
        {"SGMC", {1, 2}},
        {"SGM2", {0, 3}},
        // Serial groups, periods and Ognev numbers, filtering as the draw
        // after the last of BenchDraws.
        {"GRPV", {}, {{3, 1, 0, 0}, {17, 2, 0, 0}, {25, 1, 0, 0}, {40, 3, 0, 0}, {41, 1, 0, 0}, {44, 2, 0, 0}}},
        {"GRCP", {}, {{2, 1, 0, 0}, {5, 3, 0, 0}, {7, 2, 0, 0}}},
        {"PRDV", {}, {{3, 1, 0, 0}, {17, 2, 0, 0}, {25, 5, 0, 0}, {40, 3, 0, 0}, {41, 1, 0, 0}, {44, 2, 0, 0}}},
        {"PRDC", {}, {{2, 1, 0, 0}, {5, 3, 0, 0}, {7, 2, 0, 0}, {8, 1, 0, 0}}},
        {"HCO1", {0, 1, 2, 3, 5, 8}},
        {"HCO2", {0, 4, 9, 11, 12, 16}},
        {"HCO3", {}, {{7, 0, 0, 0}, {14, 0, 0, 0}, {21, 0, 0, 0}, {28, 0, 0, 0}, {35, 0, 0, 0}, {42, 0, 0, 0}}},
        // The shredding formulas (the defaults, two digits).
        {"SHR1", {5, 17, 30, 42, 60, 88}},
        {"SHR3", {0, 12, 25, 50, 75, 99}},
        // The chains, against the draws of BenchDraws: followers of numbers,
        // channels and segments, counts in one channel or segment, and the
        // numbers inside the channels of the newest draw.
        {"SDV2", {}, {{5, 17, 0, 0}, {12, 3, 0, 0}, {41, 44, 0, 0}, {5, 30, 0, 0}, {12, 12, 0, 0}, {41, 8, 0, 0}}},
        {"SDP3", {}, {{7, 12, 30, 0}, {1, 2, 3, 0}, {4, 5, 6, 0}, {9, 9, 48, 0}, {20, 21, 22, 0}, {2, 8, 15, 0}}},
        {"SCV2", {}, {{1, 3, 0, 0}, {2, 5, 0, 0}}},
        {"SC2C3", {}, {{1, 0, 0, 0}, {1, 2, 0, 0}}},
        {"SDA2", {}, {{12, 0, 0, 0}, {5, 17, 0, 0}, {41, 0, 0, 0}, {27, 30, 0, 0}}},
        {"SDC2", {}, {{12, 1, 0, 0}, {41, 2, 0, 0}}},
        {"SSN3", {}, {{1, 2, 0, 0}}},
        {"SS3C2", {}, {{1, 2, 0, 0}, {1, 2, 3, 0}}},
    };
    return cases;
}

// The shredding methods: a formula compiled once and run on every combination.
constexpr const char* kShreddingCodes[] = {"SHR1", "SHR2", "SHR3"};
// Their full-list passes run the formula's instructions in extended precision
// for every combination: held to 20 times a memcpy rather than 2.
constexpr double kShreddingLimit = 20.0;
bool IsShreddingCode(const std::string& code) { return code.rfind("SHR", 0) == 0; }
// The archive the chain filters read: a combination stands for the draw after
// the last of these.
corvel::TDrawsArray BenchDraws() {
    auto draw = [](int number, TCombination numbers) {
        corvel::TDrawRec d;
        d.Number = number;
        d.Numbers = numbers;
        return d;
    };
    return {draw(1, {7, 21, 3, 40, 22, 9}), draw(2, {12, 5, 33, 8, 41, 2}), draw(3, {12, 5, 27, 19, 41, 38})};
}

// A segment map with three segments of 16 numbers, so that the segment
// methods have something to tell apart.
void GeometryBenchSegments(corvel::TGameSettings& settings) {
    for (int n = 1; n <= corvel::kMaxNumber; ++n)
        settings.Config.MatrixSegments[static_cast<std::size_t>(n - 1)] = static_cast<std::uint8_t>((n - 1) / 16 + 1);
}

// The channel, matrix and segment methods (groups 3 to 5).
bool IsGeometryCode(const std::string& code) {
    static const std::set<std::string> singles = {"CHAN", "CHNV", "CHNC", "COLS", "ROWS", "COLV",
                                                  "ROWV", "COLN", "ROWN", "COLM", "ROWM", "COLA",
                                                  "ROWA", "COLC", "ROWC", "SGMS", "SGMV", "SGMC"};
    if (singles.contains(code)) return true;
    for (const char* prefix : {"KC", "KF", "KR", "KG", "CHN", "COL", "ROW", "SGM"})
        if (code.rfind(prefix, 0) == 0) return true;
    return false;
}

// The group of the chain methods (transitions between draws).
constexpr int kChainGroup = 10;

// The straightforward filter: one virtual test per combination.
void FilterPerCombination(corvel::TCustomStat& stat, const corvel::TCombsArray& source, corvel::TCombsArray& target,
                          const TStatDrawArray& values, bool exclude) {
    target.Clear();
    for (const TCombination& c : source.Items())
        if (stat.CombMatches(c, values, exclude) != exclude) target.Append(c);
}

// Every 16th combination in quick mode: all numbers and patterns still occur.
constexpr std::size_t kQuickStride = 16;

struct Workload {
    corvel::TDrawsArray Draws = BenchDraws();
    corvel::TStatList List;
    std::vector<TCombination> Combs;  // the list the cases run over
    std::vector<TCombination> Copy;   // destination of the memory copy
    std::vector<std::uint8_t> Out;    // match results
    std::span<const TCombination> Span() const { return Combs; }
};

struct Method {
    std::string Code;
    int Index = -1;
    TStatDrawArray Selected;
};

TStatDrawArray MakeSelection(const std::vector<std::uint16_t>& keys) {
    TStatDrawArray values;
    for (std::uint16_t k : keys) {
        corvel::TStatDrawRec rec;
        rec.Key[0] = k;
        rec.Count = 1;
        values.push_back(rec);
    }
    return values;
}

TStatDrawArray MakeSelection(const std::vector<corvel::TStatKey>& tuples) {
    TStatDrawArray values;
    for (const corvel::TStatKey& k : tuples) {
        corvel::TStatDrawRec rec;
        rec.Key = k;
        rec.Count = 1;
        values.push_back(rec);
    }
    return values;
}

corvel::TStatFactory FactoryFor(const corvel::TStatList& list, int index) {
    return [&list, index] { return list.CreateStat(index); };
}

// Instances ready to filter the list as the draw after the newest draw.
corvel::TStatFactory FilterFactoryFor(const corvel::TStatList& list, int index) {
    return [&list, index] {
        auto stat = list.CreateStat(index);
        stat->PrepareFilter(static_cast<int>(list.Draws()->size()) - 1, false);
        return stat;
    };
}

// ---- checks before timing

bool Fail(const std::string& what) {
    std::fprintf(stderr, "corvel_span_bench: %s\n", what.c_str());
    return false;
}

// The span and per-combination paths, single-threaded and on all cores, must
// give the same mask bytes and the same histogram.
bool VerifyMethod(Workload& w, const Method& m) {
    const auto span = w.Span();
    const std::size_t n = span.size();
    auto stat = w.List.CreateStat(m.Index);

    std::vector<std::uint8_t> reference(n, 0xEE);
    stat->SpanMatchPerCombination(span, m.Selected, false, reference.data());
    std::vector<std::uint8_t> got(n, 0xEE);
    stat->SpanMatch(span, m.Selected, false, got.data());
    if (std::memcmp(got.data(), reference.data(), n) != 0)
        return Fail(m.Code + ": span match differs from the per-combination path");
    std::fill(got.begin(), got.end(), 0xEE);
    corvel::ParallelSpanMatch(FactoryFor(w.List, m.Index), span, m.Selected, false, got.data());
    if (std::memcmp(got.data(), reference.data(), n) != 0)
        return Fail(m.Code + ": parallel span match differs from the per-combination path");
    const auto matching = static_cast<std::size_t>(std::count(reference.begin(), reference.end(), 1));
    if (matching == 0 || matching == n)
        return Fail(m.Code + ": the selection matches all or none of the list; pick other keys");

    TStatDrawArray perComb;
    stat->SpanHistogramPerCombination(span, perComb);
    corvel::SortStatValues(perComb);
    TStatDrawArray single;
    stat->SpanHistogram(span, single);
    corvel::SortStatValues(single);
    if (single != perComb) return Fail(m.Code + ": span histogram differs from the per-combination path");
    const TStatDrawArray parallel = corvel::ParallelSpanHistogram(FactoryFor(w.List, m.Index), span);
    if (parallel != perComb) return Fail(m.Code + ": parallel span histogram differs from the per-combination path");

    std::printf("checked %s: %zu of %zu combinations match, %zu distinct values\n", m.Code.c_str(), matching, n,
                perComb.size());
    return true;
}

// ---- result collection

// Prints as the console reporter does and keeps the real time of every case.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration)
                iterations_[name].push_back(ToMs(run));
            else if (run.aggregate_name == "median")
                medians_[name] = ToMs(run);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Median real time of one iteration in ms; NaN when the case did not run.
    double Ms(const std::string& name) const {
        if (auto it = medians_.find(name); it != medians_.end()) return it->second;
        auto it = iterations_.find(name);
        if (it == iterations_.end() || it->second.empty()) return std::nan("");
        std::vector<double> v = it->second;
        std::sort(v.begin(), v.end());
        const std::size_t h = v.size() / 2;
        return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
    }

  private:
    static double ToMs(const Run& run) {
        return run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
               benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    std::map<std::string, std::vector<double>> iterations_;
    std::map<std::string, double> medians_;
};

// ---- summary

struct SummaryLine {
    std::string Name;
    double Ms;
    double RefMs;
    double Limit;  // ratio = Ms / RefMs must stay below (strict) or at most this
    bool Strict;
};

void PrintSummary(const std::vector<SummaryLine>& lines, std::size_t combs, int threads) {
    std::printf("\nSummary over %zu combinations, %d thread(s); ratio = time / reference\n", combs, threads);
    std::printf("%-44s %10s %10s %8s %9s  %s\n", "case / reference", "time ms", "ref ms", "ratio", "target", "result");
    int missed = 0;
    int skipped = 0;
    for (const SummaryLine& l : lines) {
        char target[32];
        std::snprintf(target, sizeof target, "%s%.3f", l.Strict ? "< " : "<= ", l.Limit);
        const double ratio = l.Ms / l.RefMs;
        if (!std::isfinite(ratio)) {
            // A case left out by --benchmark_filter.
            ++skipped;
            std::printf("%-44s %10s %10s %8s %9s  %s\n", l.Name.c_str(), "-", "-", "-", target, "not run");
            continue;
        }
        const bool ok = l.Strict ? ratio < l.Limit : ratio <= l.Limit;
        missed += ok ? 0 : 1;
        std::printf("%-44s %10.2f %10.2f %8.3f %9s  %s\n", l.Name.c_str(), l.Ms, l.RefMs, ratio, target,
                    ok ? "ok" : "MISSED");
    }
    std::printf("%d of %d targets met\n", static_cast<int>(lines.size()) - missed - skipped,
                static_cast<int>(lines.size()) - skipped);
}

bool TakeFlag(int& argc, char** argv, std::string_view flag) {
    bool found = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (flag == argv[i])
            found = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    return found;
}

bool QuickFromEnvironment() {
    const char* v = std::getenv("CORVEL_BENCH_QUICK");
    return v && *v && std::string_view(v) != "0";
}

}  // namespace

int main(int argc, char** argv) {
    const bool quick = TakeFlag(argc, argv, "--quick") || QuickFromEnvironment();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;

    Workload w;
    GeometryBenchSegments(w.List.Settings);
    w.List.SetDraws(&w.Draws);
    w.List.RegisterMethods();

    // The list is allocated once and filled in place, as the program does.
    w.Combs.resize(corvel::kAllCombinations);
    const std::size_t total = corvel::EnumerateAllCombinations(w.Combs);
    w.Combs.resize(total);
    if (quick) {
        std::size_t k = 0;
        for (std::size_t i = 0; i < total; i += kQuickStride) w.Combs[k++] = w.Combs[i];
        w.Combs.resize(k);
    }
    const std::size_t n = w.Combs.size();
    // Touch the destinations now so that page faults stay out of the timings.
    w.Copy.assign(n, TCombination{});
    w.Out.assign(n, 0);

    std::vector<Method> methods;
    for (const MethodCase& c : Cases()) {
        Method m{c.Code, w.List.FindMethod(c.Code), MakeSelection(c.Keys)};
        if (m.Index < 0) {
            std::fprintf(stderr, "corvel_span_bench: method %s is not registered\n", c.Code);
            return EXIT_FAILURE;
        }
        methods.push_back(std::move(m));
    }
    for (const Method& m : methods)
        if (!VerifyMethod(w, m)) return EXIT_FAILURE;

    const int threads = tbb::info::default_concurrency();
    std::printf("%zu combinations (%.1f MB), %d thread(s)%s\n\n", n,
                static_cast<double>(n * sizeof(TCombination)) / 1e6, threads, quick ? ", quick run" : "");

    // The span kernels take a few ms and run several iterations per
    // repetition; the per-combination paths are slow enough for one.
    const int fastIterations = quick ? 1 : 5;
    const int slowIterations = 1;
    const int repetitions = quick ? 1 : 3;
    // Registers a case whose iteration is body(); set-up happens before, in
    // whatever body captures.
    auto add = [&](const std::string& caseName, int iterations, auto body) {
        auto* b = benchmark::RegisterBenchmark(caseName.c_str(), [body](benchmark::State& state) mutable {
            for (auto _ : state) {
                body();
                benchmark::ClobberMemory();
            }
        });
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(iterations)->Repetitions(repetitions);
        if (repetitions > 1) b->DisplayAggregatesOnly(true);
    };

    const std::string memcpyName = "memcpy/list";
    add(memcpyName, fastIterations, [&w] {
        std::memcpy(w.Copy.data(), w.Combs.data(), w.Combs.size() * sizeof(TCombination));
        benchmark::DoNotOptimize(w.Copy.data());
    });

    auto name = [](const Method& m, const std::string& what) { return m.Code + "/" + what; };
    for (const Method& m : methods) {
        const Method* mp = &m;
        // One instance per case, created before timing (shared: the body is copied).
        auto instance = [&w, mp] { return std::shared_ptr<corvel::TCustomStat>(w.List.CreateStat(mp->Index)); };
        const auto factory = FactoryFor(w.List, m.Index);

        add(name(m, "match/span/1thread"), fastIterations,
            [&w, mp, stat = instance()] { stat->SpanMatch(w.Span(), mp->Selected, false, w.Out.data()); });
        add(name(m, "match/span/all_cores"), fastIterations,
            [&w, mp, factory] { corvel::ParallelSpanMatch(factory, w.Span(), mp->Selected, false, w.Out.data()); });
        add(name(m, "match/per_combination"), slowIterations, [&w, mp, stat = instance()] {
            stat->SpanMatchPerCombination(w.Span(), mp->Selected, false, w.Out.data());
        });

        // The histogram cases reuse one array, so that only the kernel allocates.
        auto histogram = std::make_shared<TStatDrawArray>();
        histogram->reserve(256);
        add(name(m, "histogram/span/1thread"), fastIterations, [&w, histogram, stat = instance()] {
            histogram->clear();
            stat->SpanHistogram(w.Span(), *histogram);
            benchmark::DoNotOptimize(histogram->data());
        });
        add(name(m, "histogram/span/all_cores"), fastIterations, [&w, factory] {
            const TStatDrawArray values = corvel::ParallelSpanHistogram(factory, w.Span());
            benchmark::DoNotOptimize(values.data());
        });
        add(name(m, "histogram/per_combination"), slowIterations, [&w, histogram, stat = instance()] {
            histogram->clear();
            stat->SpanHistogramPerCombination(w.Span(), *histogram);
            benchmark::DoNotOptimize(histogram->data());
        });
    }

    // The shredding histograms over the list, on all cores and one thread,
    // and the per-combination path they replace.
    for (const char* code : kShreddingCodes) {
        const int index = w.List.FindMethod(code);
        const auto factory = FactoryFor(w.List, index);
        auto stat = std::shared_ptr<corvel::TCustomStat>(w.List.CreateStat(index));
        TStatDrawArray perComb, parallel;
        stat->SpanHistogramPerCombination(w.Span(), perComb);
        corvel::SortStatValues(perComb);
        parallel = corvel::ParallelSpanHistogram(factory, w.Span());
        if (parallel != perComb) {
            Fail(std::string(code) + ": parallel span histogram differs from the per-combination path");
            return EXIT_FAILURE;
        }
        auto histogram = std::make_shared<TStatDrawArray>();
        add(std::string(code) + "/histogram/span/all_cores", fastIterations, [&w, factory] {
            const TStatDrawArray values = corvel::ParallelSpanHistogram(factory, w.Span());
            benchmark::DoNotOptimize(values.data());
        });
        add(std::string(code) + "/histogram/span/1thread", fastIterations, [&w, histogram, stat] {
            histogram->clear();
            stat->SpanHistogram(w.Span(), *histogram);
            benchmark::DoNotOptimize(histogram->data());
        });
        add(std::string(code) + "/histogram/per_combination", slowIterations, [&w, histogram, stat] {
            histogram->clear();
            stat->SpanHistogramPerCombination(w.Span(), *histogram);
            benchmark::DoNotOptimize(histogram->data());
        });
    }

    // Generation mode 0 into a preallocated full-size list.
    auto generated = std::make_shared<corvel::TCombsArray>();
    add("generate/mode0", fastIterations, [generated] {
        generated->SetCount(corvel::EnumerateAllCombinations(generated->Room()));
        benchmark::DoNotOptimize(generated->Data());
    });

    // Keep and remove filters from a source list into a target list, on all
    // cores, and the per-combination filter they replace.
    auto source = std::make_shared<corvel::TCombsArray>(n);
    source->SetCount(n);
    std::memcpy(source->Data(), w.Combs.data(), n * sizeof(TCombination));
    auto target = std::make_shared<corvel::TCombsArray>(n);
    auto check = std::make_shared<corvel::TCombsArray>(n);
    auto scratch = std::make_shared<std::vector<std::uint8_t>>();
    std::vector<std::string> filterNames;
    for (const MethodCase& c : FilterCases()) {
        const int index = w.List.FindMethod(c.Code);
        const TStatDrawArray values = c.Tuples.empty() ? MakeSelection(c.Keys) : MakeSelection(c.Tuples);
        const auto factory = FilterFactoryFor(w.List, index);
        auto stat = std::shared_ptr<corvel::TCustomStat>(factory());
        for (bool exclude : {false, true}) {
            // The two paths must leave the same list.
            corvel::FilterCombinationList(*source, *target, factory, values, exclude);
            FilterPerCombination(*stat, *source, *check, values, exclude);
            if (target->Count() != check->Count() ||
                std::memcmp(target->Data(), check->Data(), target->Count() * sizeof(TCombination)) != 0) {
                Fail(std::string(c.Code) + ": filter differs from the per-combination filter");
                return EXIT_FAILURE;
            }
            const std::string filterName = std::string(c.Code) + (exclude ? "/remove" : "/keep");
            filterNames.push_back(filterName);
            add("filter/" + filterName, fastIterations,
                [=] { corvel::FilterCombinationList(*source, *target, factory, values, exclude, scratch.get()); });
            add("filter/" + filterName + "/per_combination", slowIterations,
                [=] { FilterPerCombination(*stat, *source, *check, values, exclude); });
        }
    }

    // Building a prefetch cache: the histogram of a method over the full
    // enumeration, generated block by block on all cores (no list needed).
    std::vector<std::string> prefetchCodes;
    for (int i = 0; i < w.List.Count(); ++i) {
        if (!w.List.IsPrefetchable(i)) continue;
        prefetchCodes.push_back(w.List.Item(i).Code());
        add("prefetch/" + prefetchCodes.back(), slowIterations, [&w, i] {
            const TStatDrawArray values = corvel::FullHistogram(w.List, i);
            benchmark::DoNotOptimize(values.data());
        });
    }

    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // The goals: a full-list pass on all cores costs a small multiple of
    // copying the list, and every span operation beats the per-combination
    // path, by 3x on the geometric mean.
    std::vector<SummaryLine> lines;
    const double copyMs = reporter.Ms(memcpyName);
    // A machine with a single core is held to the single-thread goal.
    const double allCoresMatchLimit = threads >= 2 ? 3.0 : 5.0;
    for (const Method& m : methods)
        lines.push_back({name(m, "match all cores vs memcpy"), reporter.Ms(name(m, "match/span/all_cores")), copyMs,
                         allCoresMatchLimit, false});
    for (const Method& m : methods)
        lines.push_back(
            {name(m, "match 1 thread vs memcpy"), reporter.Ms(name(m, "match/span/1thread")), copyMs, 5.0, false});
    for (const Method& m : methods)
        lines.push_back({name(m, "histogram all cores vs memcpy"), reporter.Ms(name(m, "histogram/span/all_cores")),
                         copyMs, 1.5, false});
    const double fullCopyMs = copyMs * static_cast<double>(corvel::kAllCombinations) / static_cast<double>(n);
    lines.push_back({"generate mode 0 vs memcpy", reporter.Ms("generate/mode0"), fullCopyMs, 1.5, false});
    double logFilter = 0, logFilterRef = 0;
    for (const std::string& f : filterNames) {
        const double filterLimit = IsShreddingCode(f.substr(0, f.find('/'))) ? kShreddingLimit : 3.0;
        lines.push_back({f + " filter all cores vs memcpy", reporter.Ms("filter/" + f), copyMs, filterLimit, false});
        const double ms = reporter.Ms("filter/" + f), ref = reporter.Ms("filter/" + f + "/per_combination");
        lines.push_back({f + " filter vs per-combination", ms, ref, 1.0, false});
        logFilter += std::log(ms);
        logFilterRef += std::log(ref);
    }
    const double filterCount = static_cast<double>(filterNames.size());
    lines.push_back({"geomean filter vs per-combination", std::exp(logFilter / filterCount),
                     std::exp(logFilterRef / filterCount), 1.0 / 3.0, false});
    // The memcpy reference is of the whole list even in a quick run, where the
    // list is a sample but the prefetch histogram still covers everything.
    // The new families' filters together: at least five times faster than
    // their per-combination paths on the geometric mean.
    double logFamilies = 0, logFamiliesRef = 0;
    int familyFilters = 0;
    for (const std::string& filter : filterNames) {
        const std::string code = filter.substr(0, filter.find('/'));
        if (code != "SUMS" && code != "DIFA" && code != "SEQL" && code != "KNM2") continue;
        logFamilies += std::log(reporter.Ms("filter/" + filter));
        logFamiliesRef += std::log(reporter.Ms("filter/" + filter + "/per_combination"));
        ++familyFilters;
    }
    if (familyFilters > 0)
        lines.push_back({"geomean sums..combined filters vs per-combination", std::exp(logFamilies / familyFilters),
                         std::exp(logFamiliesRef / familyFilters), 0.2, false});
    // The channel, matrix and segment filters likewise.
    double logGeometry = 0, logGeometryRef = 0;
    int geometryFilters = 0;
    for (const std::string& filter : filterNames) {
        if (!IsGeometryCode(filter.substr(0, filter.find('/')))) continue;
        logGeometry += std::log(reporter.Ms("filter/" + filter));
        logGeometryRef += std::log(reporter.Ms("filter/" + filter + "/per_combination"));
        ++geometryFilters;
    }
    if (geometryFilters > 0)
        lines.push_back({"geomean channel..segment filters vs per-combination", std::exp(logGeometry / geometryFilters),
                         std::exp(logGeometryRef / geometryFilters), 0.2, false});
    // The serial group, period, Ognev and shredding filters, and with the
    // chain filters below all the methods that look at a number's history
    // together: five times faster on the geometric mean.
    double logHistory = 0, logHistoryRef = 0;
    int historyFilters = 0;
    double logNewest = 0, logNewestRef = 0;
    int newestFilters = 0;
    for (const std::string& filter : filterNames) {
        const std::string code = filter.substr(0, filter.find('/'));
        const bool chain = w.List.Item(w.List.FindMethod(code)).StatClass->Group == kChainGroup;
        const bool history =
            code.rfind("GR", 0) == 0 || code.rfind("PRD", 0) == 0 || code.rfind("HCO", 0) == 0 || IsShreddingCode(code);
        if (!chain && !history) continue;
        const double ms = std::log(reporter.Ms("filter/" + filter));
        const double ref = std::log(reporter.Ms("filter/" + filter + "/per_combination"));
        logNewest += ms;
        logNewestRef += ref;
        ++newestFilters;
        if (!history) continue;
        logHistory += ms;
        logHistoryRef += ref;
        ++historyFilters;
    }
    if (historyFilters > 0)
        lines.push_back({"geomean series..shredding filters vs per-combination", std::exp(logHistory / historyFilters),
                         std::exp(logHistoryRef / historyFilters), 0.2, false});
    if (newestFilters > 0)
        lines.push_back({"geomean series..shredding and chain filters", std::exp(logNewest / newestFilters),
                         std::exp(logNewestRef / newestFilters), 0.2, false});
    // The chain filters likewise.
    double logChains = 0, logChainsRef = 0;
    int chainFilters = 0;
    for (const std::string& filter : filterNames) {
        const int index = w.List.FindMethod(filter.substr(0, filter.find('/')));
        if (w.List.Item(index).StatClass->Group != kChainGroup) continue;
        logChains += std::log(reporter.Ms("filter/" + filter));
        logChainsRef += std::log(reporter.Ms("filter/" + filter + "/per_combination"));
        ++chainFilters;
    }
    if (chainFilters > 0)
        lines.push_back({"geomean chain filters vs per-combination", std::exp(logChains / chainFilters),
                         std::exp(logChainsRef / chainFilters), 0.2, false});
    // Targets: 1.5 x a memcpy for the number properties, 2 x for the later
    // families, 6 x for the combined values and the three others whose values
    // are the costliest to find.
    for (const char* code : kShreddingCodes) {
        const std::string c = code;
        lines.push_back({c + "/histogram all cores vs memcpy", reporter.Ms(c + "/histogram/span/all_cores"), copyMs,
                         kShreddingLimit, false});
        lines.push_back({c + "/histogram span vs per-combination", reporter.Ms(c + "/histogram/span/1thread"),
                         reporter.Ms(c + "/histogram/per_combination"), 1.0, true});
    }
    auto prefetchTarget = [](const std::string& code) {
        if (IsShreddingCode(code)) return kShreddingLimit;
        static const std::set<std::string> numberProperties = {"NUMS", "DIGS", "EVEN", "EVNV",
                                                               "SMAL", "SMLV", "PRIM", "PRMV"};
        if (numberProperties.contains(code) || code.rfind("POS", 0) == 0) return 1.5;
        if (code == "S2T3" || code == "DIFO" || code == "DIFK" || code.rfind("KN", 0) == 0) return 6.0;
        // The adjacency methods look at pairs of numbers.
        if (code == "COLA" || code == "ROWA" || code == "COLC" || code == "ROWC") return 6.0;
        // Four rounds of differences per combination.
        if (code == "HCO1" || code == "HCO2") return 6.0;
        return 2.0;
    };
    for (const std::string& code : prefetchCodes)
        lines.push_back({code + "/prefetch histogram vs memcpy", reporter.Ms("prefetch/" + code),
                         copyMs * static_cast<double>(corvel::kAllCombinations) / static_cast<double>(n),
                         prefetchTarget(code), false});
    double logSpan = 0;
    double logPerComb = 0;
    int pairs = 0;
    for (const Method& m : methods)
        for (const char* op : {"match", "histogram"}) {
            const double spanMs = reporter.Ms(name(m, op) + "/span/1thread");
            const double perMs = reporter.Ms(name(m, op) + "/per_combination");
            lines.push_back({name(m, op) + " span vs per-combination", spanMs, perMs, 1.0, true});
            logSpan += std::log(spanMs);
            logPerComb += std::log(perMs);
            ++pairs;
        }
    lines.push_back(
        {"geomean span vs per-combination", std::exp(logSpan / pairs), std::exp(logPerComb / pairs), 1.0 / 3.0, false});
    PrintSummary(lines, n, threads);
    if (quick) std::printf("(quick run: one iteration over a sample; the timings are not representative)\n");
    return EXIT_SUCCESS;
}
