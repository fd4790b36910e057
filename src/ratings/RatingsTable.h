#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Expected.h"
#include "model/Money.h"
#include "ratings/CommentKey.h"
#include "ratings/RatingRecord.h"
#include "stakes/StakeRecord.h"

// The ratings: the checked stakes summed up by their comment, one row per
// distinct comment (letter case ignored, Russian letters too), kept in the
// ratings file in display order. A scenario stake's comment names its line,
// variant and filters, so a row ranks one combination of filters.
namespace corvel {

class TStatList;
class TStakesFile;

// The columns of the ratings list.
enum class TEfficiencyMode : int { Expected = 0, Absolute = 1, Relative = 2 };

// W_i = C(6, i) C(42, 6 - i): the combinations matching exactly i of six drawn numbers.
std::int64_t MatchCombinations(int matches);

class TRatingsTable {
  public:
    const std::vector<TRatingRec>& Rows() const { return rows_; }
    std::size_t Count() const { return rows_.size(); }
    bool Empty() const { return rows_.empty(); }

    // Adds a checked stake to the row of its comment (a new row at the end
    // when there is none). An unchecked stake, or one whose matches are
    // outside 0..6, changes nothing. A comment of the full 255 bytes may have
    // been cut from a longer one and would merge with any other comment cut
    // the same way: such a stake is not rated; false then.
    bool Add(const TStakeRec& stake);

    // Every checked stake of the file (Draw >= 0); the stakes not rated.
    std::int64_t Rebuild(const TStakesFile& file);
    void Clear();

    // Sorts by a column (0..19), descending or not. Rows without stakes go
    // last, by comment, in both directions; equal rows keep their order.
    void Sort(int column, bool descending);

    // The whole file; throws (EFileError and kin) when it cannot be read
    // whole or its size is no whole number of records, and then the table
    // is left as it was.
    void Load(const std::filesystem::path& path);
    void Save(const std::filesystem::path& path) const;

    // The text of a cell as the list shows it.
    std::string CellText(std::size_t row, int column, TEfficiencyMode mode) const;
    // The CSV export: every caption, then the rows without the E columns.
    std::string CsvText() const;

  private:
    // The row of a comment (length byte first; hash: of its bytes), a new row
    // at the end when there is none; kNone for a comment of the full 255
    // bytes, which is not rated.
    std::uint32_t RowOf(const std::uint8_t* comment, std::uint64_t hash);
    void AddToRow(std::uint32_t row, int hits, TMoney profit);
    void Reindex();

    std::vector<TRatingRec> rows_;
    // The first row of each key; and every spelling met so far with its row,
    // so that a comment seen before is found without folding it again.
    TCommentIndex keys_;
    TCommentIndex spellings_;
};

// The column captions of the ratings list.
std::string_view RatingColumnCaption(int column);

// A rating row's comment turned back into a scenario line: the text before
// the first "@" is the comment, the text after it the options and the
// filters joined by " + ". Refused (with the row's comment) when no filter
// field holds a definition.
TExpected<std::string> RatingToScriptLine(std::string_view comment, const TStatList& list);

}  // namespace corvel
