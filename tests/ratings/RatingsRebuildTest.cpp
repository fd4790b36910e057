// The ratings rebuilt from a stakes file: more records than one block of the
// read and more comments than the first size of the index, each comment
// written in several letter cases, against sums kept by the test itself.
#include <gtest/gtest.h>

#include <map>

#include "ratings/RatingsTable.h"
#include "ratings/StakesFixture.h"
#include "stakes/StakesFile.h"

namespace corvel {
namespace {

// Comment n in one of three spellings; all three are one rating row.
std::string Spelling(int n, int variant) {
    const char* words[] = {"Строка Ёж ", "СТРОКА ЁЖ ", "строка ёж "};
    return words[variant % 3] + std::to_string(n);
}

struct Sums {
    std::uint32_t Stakes = 0, Matches = 0;
    std::array<std::uint32_t, 7> ByMatches{};
    std::int64_t Profit = 0;
};

TEST(RatingsRebuild, EveryCheckedStakeLandsInTheRowOfItsCommentInAnyCase) {
    test::TempDir dir;
    std::vector<TStakeRec> recs;
    std::map<int, Sums> expected;
    constexpr int kComments = 1500, kRecords = 5000;
    for (int i = 0; i < kRecords; ++i) {
        if (i % 97 == 0) recs.push_back(BlankStake());
        const int n = (i * 7) % kComments, hits = i % 7;
        if (i % 11 == 0) {  // waiting for its draw: not rated
            recs.push_back(test::MakeStake(10 + i % 5, Spelling(n, i)));
            continue;
        }
        recs.push_back(test::MakeStake(10 + i % 5, Spelling(n, i), hits, hits * 1.5 - 2));
        Sums& s = expected[n];
        s.Stakes += 1;
        s.Matches += static_cast<std::uint32_t>(hits);
        s.ByMatches[static_cast<std::size_t>(hits)] += 1;
        s.Profit += static_cast<std::int64_t>(hits * 15'000 - 20'000);
    }
    recs.push_back(test::MakeStake(20, std::string(255, 'x'), 3, 1));  // may have been cut: not rated
    test::WriteStakesFile(dir / "s.lsk", recs);
    TStakesFile file(dir / "s.lsk");
    file.OpenForReading();

    TRatingsTable table;
    EXPECT_EQ(table.Rebuild(file), 1);
    ASSERT_EQ(table.Count(), expected.size());
    auto numberOf = [](const TRatingRec& row) {
        const std::string comment = row.Comment();
        return std::stoi(comment.substr(comment.rfind(' ') + 1));
    };
    auto check = [&](const TRatingsTable& t) {
        for (const TRatingRec& row : t.Rows()) {
            const std::string comment = row.Comment();
            const int n = numberOf(row);
            const Sums& s = expected.at(n);
            EXPECT_EQ(row.Stakes, s.Stakes) << comment;
            EXPECT_EQ(row.Matches, s.Matches) << comment;
            EXPECT_EQ(row.ByMatches, s.ByMatches) << comment;
            EXPECT_EQ(row.Profit.Raw(), s.Profit) << comment;
        }
    };
    check(table);
    // The rows keep the spelling of their first stake.
    EXPECT_EQ(table.Rows()[0].Comment(), Spelling(7, 1));

    // Sorted, the rows move; a stake added then still finds its own row, in every spelling.
    const int n = numberOf(table.Rows()[0]);
    table.Sort(0, true);
    ASSERT_NE(numberOf(table.Rows()[0]), n);
    for (int variant = 0; variant < 3; ++variant) {
        table.Add(test::MakeStake(30, Spelling(n, variant), 6, 0));
        Sums& s = expected[n];
        s.Stakes += 1;
        s.Matches += 6;
        s.ByMatches[6] += 1;
    }
    EXPECT_EQ(table.Count(), expected.size());
    check(table);
}

}  // namespace
}  // namespace corvel
