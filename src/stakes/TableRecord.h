#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GameConstants.h"

// Regular table stakes ("regulars"): rules that give a new combination for
// every stake by shifting each number of the previous combination, or of the
// draw before the staked one, by a fixed step around the ring 1..48. Records
// are 280 bytes, little-endian, read and written field by field.
namespace corvel {

struct TTableRec {
    static constexpr std::size_t kFileSize = 280;
    static constexpr std::size_t kCommentCapacity = 255;
    static constexpr int kMaxStep = kMaxNumber;

    // The comment as the file holds it: a length byte and 255 code page 1251
    // bytes, kept whole so a record read and written again is byte-identical.
    std::array<std::uint8_t, 256> CommentBytes{};
    bool UseLastDraw = false;  // the base is the draw before the staked one, not Current
    TCombination Start{};      // ascending; all zero when not given
    TCombination Current{};    // the combination of the last stake made, ascending
    std::int32_t Step = 0;     // -48..48
    std::int32_t Made = 0;     // combinations produced so far

    std::string Comment() const;             // UTF-8
    void SetComment(std::string_view utf8);  // cut to 255 bytes of code page 1251

    friend bool operator==(const TTableRec&, const TTableRec&) = default;
};

void EncodeTableRec(const TTableRec& rec, std::uint8_t* out280);
TTableRec DecodeTableRec(const std::uint8_t* in280);

// What is wrong with a record read from a file, or empty when it can be
// trusted: a combination that is neither all zero nor six different
// ascending numbers 1..48, a step outside -48..48, a negative count.
std::string TableDamage(const TTableRec& rec);

// The whole file: its size must be a multiple of the record and every record
// sound, else EFileError says what is wrong (nothing is returned then). A
// missing file throws EFileNotFound.
std::vector<TTableRec> ReadTablesFile(const std::filesystem::path& path);
// Rewrites the file atomically with the records.
void WriteTablesFile(const std::filesystem::path& path, std::span<const TTableRec> recs);

// One number moved by `step` around the ring 1..48.
int ShiftAroundRing(int number, int step);

// Advances the regular for a stake on the draw after the analysed window of
// `offset` hidden draws: the base (the last draw of that window with
// UseLastDraw, else Current) shifted by Step and sorted becomes Current, and
// Made grows by one. A base that does not exist - no such draw in the
// archive, or no combination to start from - throws ECorvelError and leaves
// the regular as it was.
void NextTableCombination(TTableRec& regular, const TDrawsArray& archive, int offset);

// The numbers joined with ";" as the list shows them ("" for all zero).
std::string TableCombinationText(const TCombination& numbers);

}  // namespace corvel
