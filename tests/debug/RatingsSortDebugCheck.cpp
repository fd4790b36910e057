// The ratings sort under the checked standard library (_GLIBCXX_DEBUG), which
// verifies that a comparison is a strict weak order while std::sort runs and
// aborts when it is not. Rows without stakes, equal rows and rows whose
// averages differ by less than any tolerance are sorted by every column in
// both directions, with the unstable std::sort. A plain program (no test
// framework, whose library is built without the checks); exit 0 when every
// sort ran and left the rows in order.
#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ratings/RatingRecord.h"

int main() {
    using corvel::TRatingRec;
    std::mt19937 rng(2026);
    std::vector<TRatingRec> rows;
    for (int i = 0; i < 400; ++i) {
        TRatingRec r;
        const std::string comment = "row " + std::to_string(i % 150);  // repeated comments
        r.CommentBytes[0] = static_cast<std::uint8_t>(comment.size());
        std::copy(comment.begin(), comment.end(), r.CommentBytes.begin() + 1);
        r.Stakes = i % 5 == 0 ? 0 : 1 + rng() % 3000;
        for (std::uint32_t k = 0; k < r.Stakes && k < 50; ++k) r.ByMatches[rng() % 7] += 1;
        for (int m = 0; m < 7; ++m)
            r.Matches += r.ByMatches[static_cast<std::size_t>(m)] * static_cast<std::uint32_t>(m);
        r.Profit = corvel::TMoney::FromRaw(static_cast<std::int64_t>(rng() % 2000) - 1000);
        rows.push_back(r);
    }
    int failures = 0;
    for (int column = 0; column < corvel::kRatingColumns; ++column)
        for (bool descending : {false, true}) {
            std::vector<TRatingRec> sorted = rows;
            std::shuffle(sorted.begin(), sorted.end(), rng);
            auto before = [&](const TRatingRec& a, const TRatingRec& b) {
                return corvel::RatingRowBefore(a, b, column, descending);
            };
            std::sort(sorted.begin(), sorted.end(), before);
            if (!std::is_sorted(sorted.begin(), sorted.end(), before)) {
                std::fprintf(stderr, "column %d%s: not in order\n", column, descending ? " descending" : "");
                ++failures;
            }
            const auto firstEmpty =
                std::find_if(sorted.begin(), sorted.end(), [](const TRatingRec& r) { return r.Stakes == 0; });
            if (std::any_of(firstEmpty, sorted.end(), [](const TRatingRec& r) { return r.Stakes != 0; })) {
                std::fprintf(stderr, "column %d: a row with stakes after one without\n", column);
                ++failures;
            }
        }
    std::printf("%d sorts, %d failures\n", 2 * corvel::kRatingColumns, failures);
    return failures == 0 ? 0 : 1;
}
