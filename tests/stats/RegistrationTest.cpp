// The registration order against the families' class rows: a name spelt
// differently in the two places is reported, never a method dropped silently.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "stats/StatClassTable.h"
#include "stats/StatList.h"
#include "stats/families/NumberProperties.h"

namespace corvel {
namespace {

bool Has(const std::vector<std::string>& problems, const std::string& text) {
    return std::find(problems.begin(), problems.end(), text) != problems.end();
}

TEST(Registration, RealTablesAgree) {
    EXPECT_EQ(RegistrationProblems(RegistrationOrder(), BuiltFamilies()), std::vector<std::string>{});
    std::size_t rows = 0;
    for (const TBuiltFamily& f : BuiltFamilies()) rows += f.Classes.size();
    EXPECT_EQ(RegisteredClasses().size(), rows);  // every row is registered
}

// The number-property rows with one class name changed.
std::vector<TStatClass> RowsWithName(std::string_view from, const char* to) {
    const auto real = NumberPropertyClasses();
    std::vector<TStatClass> rows(real.begin(), real.end());
    for (TStatClass& row : rows)
        if (row.ClassName == from) row.ClassName = to;
    return rows;
}

TEST(Registration, MisspeltFamilyClassIsReported) {
    const std::vector<TStatClass> rows = RowsWithName("TstDigits", "TstDigist");
    const TBuiltFamily families[] = {{TStatFamily::Numbers, rows}};
    const auto problems = RegistrationProblems(RegistrationOrder(), families);
    EXPECT_TRUE(Has(problems, "TstDigist: a family class the order does not name"))
        << ::testing::PrintToString(problems);
    EXPECT_TRUE(Has(problems, "TstDigits: named in the order, but its family has no such class"));
    EXPECT_EQ(problems.size(), 2u);
    // Registration itself would have gone on without the method.
    EXPECT_EQ(BuildClassTable(RegistrationOrder(), families).size(), rows.size() - 1);
}

TEST(Registration, MisspeltOrderNameIsReported) {
    std::vector<TRegistrationEntry> order(RegistrationOrder().begin(), RegistrationOrder().end());
    for (auto& e : order)
        if (e.ClassName == "TstPosExt") e.ClassName = "TstPosExtra";
    const auto problems = RegistrationProblems(order, BuiltFamilies());
    EXPECT_TRUE(Has(problems, "TstPosExtra: named in the order, but its family has no such class"));
    EXPECT_TRUE(Has(problems, "TstPosExt: a family class the order does not name"));
}

TEST(Registration, WrongFamilyAndDoubleNamesAreReported) {
    std::vector<TRegistrationEntry> order(RegistrationOrder().begin(), RegistrationOrder().end());
    for (auto& e : order)
        if (e.ClassName == "TstEvenCount") e.Family = TStatFamily::Sums;
    order.push_back({"TstValues", TStatFamily::Numbers});
    const auto problems = RegistrationProblems(order, BuiltFamilies());
    EXPECT_TRUE(Has(problems, "TstEvenCount: the order names it for another family"));
    EXPECT_TRUE(Has(problems, "TstValues: named twice in the order"));
}

TEST(Registration, FamiliesNotBuiltYetAreNotChecked) {
    // The order names 143 classes; only the built families must have theirs.
    EXPECT_EQ(RegistrationOrder().size(), 143u);
    const TBuiltFamily none[] = {{TStatFamily::Sums, {}}};
    const auto problems = RegistrationProblems(RegistrationOrder(), none);
    EXPECT_EQ(problems.size(), 8u);  // the eight sum classes, all missing
}

// The default settings (6 columns, channels of 6 numbers, every number in
// segment 1) give 222 entries, of them 17 channel, 38 matrix and 10 segment
// methods, six serial groups, three periods, 67 chain methods, three Ognev
// numbers and three shredding methods.
TEST(Registration, DefaultSettingsGiveTheEntriesOfEveryBuiltGroup) {
    TStatList list;
    list.RegisterMethods();
    EXPECT_EQ(list.Count(), 222);
    std::vector<int> perGroup(kGroupCount);
    for (int i = 0; i < list.Count(); ++i) ++perGroup[list.Item(i).StatClass->Group];
    EXPECT_EQ(perGroup, (std::vector<int>{34, 10, 8, 17, 38, 10, 3, 20, 6, 3, 67, 3, 3}));
}

}  // namespace
}  // namespace corvel
