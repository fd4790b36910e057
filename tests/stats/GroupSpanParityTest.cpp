// The span paths of the channel, matrix and segment methods against their
// per-combination paths under several settings (the parity fixture over every
// method runs the defaults on a mixed list): the default geometry with three
// segments, other channel widths, matrix
// widths with short last rows, 48 rows or 48 columns (patterns across three
// key words), and painted segment maps with holes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "model/DrawArchive.h"
#include "stats/GroupFixtures.h"

namespace corvel {
namespace {

struct SettingsCase {
    const char* Name;
    int Cols;
    int Width;
    std::string Segments;
};

const std::vector<SettingsCase>& Settings() {
    static const std::vector<SettingsCase> cases = {
        {"Cols6Width6", 6, 6, test::SegmentRuns({{16, '1'}, {16, '2'}, {16, '3'}})},
        {"Cols7Width5", 7, 5, test::SegmentRuns({{10, '3'}, {20, '1'}, {18, '7'}})},
        {"Cols9Width3", 9, 3, test::SegmentRuns({{24, '2'}, {24, '5'}})},
        {"Cols1Width48", 1, 48, std::string(48, '9')},
        {"Cols48Width7", 48, 7, "123456789123456789123456789123456789123456789123"},
        {"Cols0Width0", 0, 0, ""},
    };
    return cases;
}

const TDrawsArray& Sample() {
    static const TDrawsArray draws = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
    return draws;
}

// A sample of the full list and combinations a file may hold.
const std::vector<TCombination>& Mixed() {
    static const std::vector<TCombination> list = [] {
        std::vector<TCombination> v;
        const auto& all = test::AllCombinations();
        for (std::size_t i = 0; i < all.size(); i += 997) v.push_back(all[i]);
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> anyByte(0, 255), number(1, 48);
        for (int i = 0; i < 3000; ++i) {
            TCombination c;
            for (auto& b : c) b = static_cast<std::uint8_t>(i % 3 ? number(rng) : anyByte(rng));
            v.push_back(c);
        }
        v.push_back({1, 1, 1, 7, 7, 7});
        v.push_back({0, 0, 0, 0, 0, 0});
        v.push_back({48, 42, 36, 30, 24, 18});
        return v;
    }();
    return list;
}

// The mixed list, a piece of the full list in its own order, whose long runs
// of equal first numbers take the kernels that work by runs, and a piece
// with faults in its runs.
std::vector<std::span<const TCombination>> Lists() {
    return {Mixed(), std::span(test::AllCombinations()).subspan(5'000'000, 60'000), test::RunsWithFaults()};
}

using Param = std::tuple<std::size_t, std::string>;

class GroupSpanParity : public ::testing::TestWithParam<Param> {};

TEST_P(GroupSpanParity, SpanPathsAgree) {
    const auto& [settingsIndex, code] = GetParam();
    const SettingsCase& s = Settings()[settingsIndex];
    const test::GroupRegistry r(test::Geometry(s.Cols, s.Width, s.Segments), Sample());
    auto stat = r.Stat(code);
    if (!stat) GTEST_SKIP() << code << " is not registered with these settings";
    const int last = static_cast<int>(Sample().size()) - 1;
    for (bool sorted : {false, true}) {
        const TStatDrawArray window = ComputeWindowValues(*stat, {last - 199, last}, sorted);
        std::vector<TStatDrawArray> selections = {{}, window};
        for (std::size_t i = 0; i < window.size(); i += std::max<std::size_t>(1, window.size() / 8))
            selections.push_back({window[i]});
        TStatDrawArray listValues;
        stat->SpanHistogramPerCombination(std::span(Mixed()).first(300), listValues);
        if (!listValues.empty()) selections.push_back({listValues.front(), listValues.back()});
        for (const TStatDrawArray& values : selections)
            for (std::span<const TCombination> combs : Lists()) {
                std::vector<std::uint8_t> span(combs.size(), 7), reference(combs.size(), 9);
                stat->SpanMatch(combs, values, false, span.data());
                stat->SpanMatchPerCombination(combs, values, false, reference.data());
                ASSERT_EQ(span, reference) << values.size() << " values, sorted " << sorted << ", " << combs.size();
            }
    }
    for (std::span<const TCombination> combs : Lists()) {
        TStatDrawArray span, reference;
        stat->SpanHistogram(combs, span);
        stat->SpanHistogramPerCombination(combs, reference);
        SortStatValues(span);
        SortStatValues(reference);
        EXPECT_EQ(span, reference) << combs.size() << " combinations";
    }
}

std::vector<Param> Params() {
    std::vector<Param> params;
    TStatList list;
    // Every code any of the settings registers, from groups 3, 4 and 5.
    for (std::size_t s = 0; s < Settings().size(); ++s) {
        list.Settings = test::Geometry(Settings()[s].Cols, Settings()[s].Width, Settings()[s].Segments);
        list.RegisterMethods();
        for (int i = 0; i < list.Count(); ++i) {
            const int group = list.Item(i).StatClass->Group;
            if (group >= 3 && group <= 5) params.emplace_back(s, list.Item(i).Code());
        }
    }
    return params;
}

INSTANTIATE_TEST_SUITE_P(Settings, GroupSpanParity, ::testing::ValuesIn(Params()), [](const auto& row) {
    return std::string(Settings()[std::get<0>(row.param)].Name) + "_" + std::get<1>(row.param);
});

}  // namespace
}  // namespace corvel
