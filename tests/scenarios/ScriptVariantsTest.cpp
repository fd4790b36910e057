// The filter variants of a scenario line: their number and order (the first
// definition varying slowest), the list modes that make one variant of a
// whole value list, and the cap that refuses a line before any variant is made.
#include <gtest/gtest.h>

#include "scenarios/ScriptVariants.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

class ScriptVariantsTest : public testing::Test {
  protected:
    void SetUp() override { list_.RegisterMethods(); }
    TScriptFilters Filters(std::initializer_list<const char*> texts) {
        TScriptFilters f;
        std::size_t i = 0;
        for (const char* t : texts) f[i++] = t;
        return f;
    }
    TStatList list_;
};

TEST_F(ScriptVariantsTest, TwoDefinitionsGiveTheProductWithTheFirstVaryingSlowest) {
    // Lengths 10 and 20, then the range 5 to 15 in steps of 5: 2 x 3.
    const TScriptVariants v(Filters({"TSD1#EVEN:10,20#LNO:#SF:0", "TSD1#SUMS:5-15;5#LNO:#SF:0"}), list_);
    ASSERT_EQ(v.Count(), 6u);
    const std::pair<int, int> expected[] = {{10, 5}, {10, 10}, {10, 15}, {20, 5}, {20, 10}, {20, 15}};
    for (std::uint64_t k = 0; k < 6; ++k) {
        const TFilterRec rec = v.Variant(k);
        EXPECT_EQ(rec[0].WindowLength, expected[k].first) << k;
        EXPECT_EQ(rec[1].WindowLength, expected[k].second) << k;
        EXPECT_EQ(rec[0].Method, list_.FindMethod("EVEN"));
        EXPECT_EQ(rec[1].Method, list_.FindMethod("SUMS"));
        EXPECT_FALSE(rec[2].Active);
    }
    EXPECT_THROW(v.Variant(6), EInvalidArgument);
}

TEST_F(ScriptVariantsTest, BlankFieldsAreSkippedAndTheDefinitionsKeepTheirOrder) {
    TScriptFilters f{};
    f[2] = "TSD1#EVEN:10#LNO:#SF:0";
    f[5] = "TSD1#SUMS:30#LNO:#SF:0";
    const TScriptVariants v(f, list_);
    ASSERT_EQ(v.Count(), 1u);
    const TFilterRec rec = v.Variant(0);
    EXPECT_EQ(rec[0].Method, list_.FindMethod("EVEN"));
    EXPECT_EQ(rec[1].Method, list_.FindMethod("SUMS"));
}

TEST_F(ScriptVariantsTest, ListModesTestTheWholeListInOneVariant) {
    // Mode 17 (the count is one of the list) keeps 1, 2, 3 together; mode 13
    // (the count is at least the value) makes a variant of each.
    const TScriptVariants list(Filters({"TSD1#EVEN:10#CDV:1,2,3#SF:0"}), list_);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Variant(0)[0].LevelTest, "1,2,3");
    const TScriptVariants single(Filters({"TSD1#EVEN:10#CMV:1,2,3#SF:0"}), list_);
    ASSERT_EQ(single.Count(), 3u);
    EXPECT_EQ(single.Variant(2)[0].LevelTest, "3");
}

TEST_F(ScriptVariantsTest, ALineWithoutFiltersHasNoVariant) {
    EXPECT_EQ(TScriptVariants(TScriptFilters{}, list_).Count(), 0u);
}

TEST_F(ScriptVariantsTest, TooManyVariantsAreRefusedBeforeAnyIsMade) {
    // 1000 x 1000 x 1000 lengths: a thousand times the cap, never multiplied out.
    const char* many = "TSD1#EVEN:1-1000;1#LNO:#SF:0";
    EXPECT_THROW(TScriptVariants(Filters({many, many, many}), list_), ETooManyScriptVariants);
    try {
        TScriptVariants(Filters({many, many, many}), list_);
    } catch (const ETooManyScriptVariants& e) {
        EXPECT_NE(std::string(e.what()).find("Вы задали слишком много вариантов фильтров"), std::string::npos);
    }
    EXPECT_THROW(TScriptVariants(Filters({"TSD1#EVEN:#LNO:#SF:0"}), list_), ECorvelError);
}

}  // namespace
}  // namespace corvel
