// Segments: draw values worked out by hand for the default and for painted
// segment maps, the methods a map registers (holes included), full-list
// counts from combinatorics, and the identity with the small numbers when the
// map splits 1..24 from 25..48.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "stats/GroupFixtures.h"

namespace corvel {
namespace {

using test::Binomial;
using test::GroupRegistry;
using test::Key;
using test::SegmentRuns;

const std::string kHalves = SegmentRuns({{24, '1'}, {24, '2'}});

struct DrawCase {
    const char* Name;
    std::string Segments;
    TCombination Numbers;
    const char* Code;
    const char* Texts;
};

class SegmentsOfOneDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(SegmentsOfOneDraw, Values) {
    const DrawCase& c = GetParam();
    const GroupRegistry r(test::Geometry(6, 6, c.Segments), {test::MakeDraw(4, c.Numbers)});
    EXPECT_EQ(test::DrawTexts(r, c.Code, false), c.Texts);
}

constexpr TCombination kDraw{3, 17, 25, 30, 41, 48};
constexpr TCombination kDrawn{30, 3, 48, 17, 41, 25};

INSTANTIATE_TEST_SUITE_P(
    Draws, SegmentsOfOneDraw,
    ::testing::Values(
        DrawCase{"DefaultSegments", "", kDraw, "SGMS", "1*6"}, DrawCase{"DefaultCounts", "", kDraw, "SGMV", "1 x 6"},
        DrawCase{"DefaultOccupied", "", kDraw, "SGMC", "1"}, DrawCase{"DefaultPairs", "", kDraw, "KGM2", "1:1*15"},
        DrawCase{"DefaultOnlySegment", "", kDraw, "SGM1", "6"},
        DrawCase{"HalvesSegments", kHalves, kDraw, "SGMS", "1*2, 2*4"},
        DrawCase{"HalvesCounts", kHalves, kDraw, "SGMV", "1 x 2, 2 x 4"},
        DrawCase{"HalvesOccupied", kHalves, kDraw, "SGMC", "2"},
        DrawCase{"HalvesNeighbours", kHalves, kDraw, "KGS2", "1:1, 1:2, 2:2*3"},
        DrawCase{"HalvesDrawnNeighbours", kHalves, kDrawn, "KGS2", "2:1*2, 1:2*2, 2:2"},
        DrawCase{"HalvesDrawnTriples", kHalves, kDrawn, "KGS3", "2:1:2*2, 1:2:1, 1:2:2"},
        DrawCase{"HalvesFirst", kHalves, kDraw, "SGM1", "2"}, DrawCase{"HalvesSecond", kHalves, kDraw, "SGM2", "4"},
        // Segments are listed in the order they first appear from number 1 on.
        DrawCase{"ListedInOrderOfAppearance", SegmentRuns({{10, '3'}, {20, '1'}, {18, '7'}}), kDraw, "SGMV",
                 "3 x 1, 1 x 3, 7 x 2"},
        DrawCase{"UnusedSegmentInTheRange", SegmentRuns({{24, '2'}, {24, '5'}}), kDraw, "SGM3", "0"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(Segments, MethodsOfTheMap) {
    struct {
        const char* Name;
        std::string Segments;
        std::vector<std::string> Codes;
    } const cases[] = {
        {"Default", "", {"SGM1"}},
        {"Halves", kHalves, {"SGM1", "SGM2"}},
        // A segment between the smallest and the largest still gets a method.
        {"TwoAndFive", SegmentRuns({{24, '2'}, {24, '5'}}), {"SGM2", "SGM3", "SGM4", "SGM5"}},
        {"NineOnly", std::string(48, '9'), {"SGM9"}},
    };
    for (const auto& c : cases) {
        const GroupRegistry r(test::Geometry(6, 6, c.Segments));
        std::vector<std::string> codes;
        for (const std::string& code : r.CodesStartingWith("SGM"))
            if (std::isdigit(static_cast<unsigned char>(code[3]))) codes.push_back(code);
        EXPECT_EQ(codes, c.Codes) << c.Name;
    }
    // Only the segments themselves are seeded.
    const GroupRegistry r(test::Geometry(6, 6, SegmentRuns({{10, '3'}, {38, '1'}})));
    EXPECT_EQ(test::SeedTexts(r, "SGMS"), "3, 1");
    for (const char* code : {"SGMV", "SGMC", "SGM1", "KGM2"}) EXPECT_EQ(test::SeedTexts(r, code), "") << code;
    EXPECT_FALSE(r.Stat("SGMV")->Class().CanParseValue);
    EXPECT_EQ(r.List.GetMethodText(r.List.FindMethod("KGS4"), true),
              "{ sgm } Сочетания из 4 сегментов по соседним числам [ S ]");
}

// A segment of s numbers holds k of them in C(s,k) x C(48-s,6-k) combinations.
TEST(Segments, FullListDistributions) {
    const GroupRegistry r(test::Geometry(6, 6, SegmentRuns({{10, '1'}, {30, '2'}, {8, '4'}})));
    const int sizes[] = {0, 10, 30, 0, 8};
    const TStatDrawArray sgmv = test::FullListHistogram(r, "SGMV");
    for (int s : {1, 2, 4})
        for (int k = 0; k <= 6; ++k)
            EXPECT_EQ(test::CountOf(sgmv, Key(s, k)), Binomial(sizes[s], k) * Binomial(48 - sizes[s], 6 - k)) << s;
    for (const auto& v : test::FullListHistogram(r, "SGMS")) EXPECT_EQ(v.Count, sizes[v.Key[0]] * Binomial(47, 5));
    for (const auto& v : test::FullListHistogram(r, "SGM3")) EXPECT_EQ(v.Key[0], 0);
    // All three segments occupied: inclusion and exclusion over the empty ones.
    const std::int64_t all = Binomial(48, 6);
    const std::int64_t three =
        all - Binomial(38, 6) - Binomial(18, 6) - Binomial(40, 6) + Binomial(8, 6) + Binomial(30, 6) + Binomial(10, 6);
    EXPECT_EQ(test::CountOf(test::FullListHistogram(r, "SGMC"), Key(3)), three);
    EXPECT_EQ(test::FullListMatches(r, "SGMV", {Key(4, 0)}), Binomial(40, 6));
    EXPECT_EQ(test::FullListMatches(r, "SGMC", {Key(3)}), three);
}

// With segments 1..24 and 25..48 the count in segment 1 is the count of small
// numbers, draw by draw and over the full list.
TEST(Segments, HalvesCountTheSmallNumbers) {
    const TDrawsArray sample = ReadArchiveFile(std::filesystem::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr");
    const GroupRegistry r(test::Geometry(6, 6, kHalves), sample);
    auto sgm1 = r.Stat("SGM1"), smal = r.Stat("SMAL");
    const TStatWindow window = MakeStatWindow(sample.size(), 0, 500);
    TStatDrawArray segment = ComputeWindowValues(*sgm1, window, false);
    TStatDrawArray small = ComputeWindowValues(*smal, window, false);
    // SMAL seeds 1..6 and SGM1 nothing: compare the values that occurred.
    std::erase_if(small, [](const TStatDrawRec& v) { return v.Count == 0; });
    SortStatValues(segment);
    SortStatValues(small);
    EXPECT_EQ(segment, small);
    EXPECT_EQ(test::FullListHistogram(r, "SGM1"), test::FullListHistogram(r, "SMAL"));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(sgm1->DrawGraphValue(i), smal->DrawGraphValue(i)) << i;
}

}  // namespace
}  // namespace corvel
