#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/GameConstants.h"
#include "model/Money.h"

// One stake of the stakes file: the numbers played for one draw, with the
// outcome once that draw is in the archive. Records are 312 bytes, read and
// written field by field, little-endian.
namespace corvel {

// Who made a stake; 0 marks a separator record.
enum class TStakeKind : std::uint8_t { None = 0, Manual = 1, Regular = 2, Scenario = 3, System = 4 };

// A count followed by up to eight numbers, ascending; unused bytes 0.
struct TStakeNumbers {
    static constexpr int kCapacity = 8;
    std::int32_t Count = 0;
    std::array<std::uint8_t, kCapacity> Values{};

    friend bool operator==(const TStakeNumbers&, const TStakeNumbers&) = default;
};

// The stakes' own equality: the counts are equal and every number of a
// occurs in b (the order and the unused bytes do not matter).
bool SameNumbers(const TStakeNumbers& a, const TStakeNumbers& b);

struct TStakeRec {
    static constexpr std::size_t kFileSize = 312;
    static constexpr std::uint8_t kVersion = 2;
    static constexpr std::size_t kCommentCapacity = 255;

    std::uint8_t Version = kVersion;
    TStakeKind Kind = TStakeKind::None;
    std::int32_t Draw = -1;  // <= 0: a separator record
    bool Checked = false;
    std::int32_t Sample = 0;  // size of the combination list when the stake was made
    TStakeNumbers Stake;
    TCombination Result{};  // the numbers drawn, archive order, once checked
    TStakeNumbers Hits{-1, {}};
    TMoney Profit;
    // The comment as the file holds it: a length byte and 255 code page 1251
    // bytes, kept whole so a record read and written again is byte-identical.
    std::array<std::uint8_t, 256> CommentBytes{};

    bool IsSeparator() const { return Draw <= 0; }
    std::string Comment() const;             // UTF-8
    void SetComment(std::string_view utf8);  // cut to 255 bytes of code page 1251

    friend bool operator==(const TStakeRec&, const TStakeRec&) = default;
};

// The blank record that separates series of stakes in the grid.
TStakeRec BlankStake();

void EncodeStakeRec(const TStakeRec& rec, std::uint8_t* out312);
TStakeRec DecodeStakeRec(const std::uint8_t* in312);

// What is wrong with a record read from a file, or empty when it can be
// trusted: counts that would index past their numbers, numbers outside
// 1..48, more hits than numbers. A damaged record is reported, never used.
std::string StakeDamage(const TStakeRec& rec);

// The grid text of a kind (texts::kStakeKindManual, ...); empty for separators and unknown kinds.
std::string_view StakeKindText(TStakeKind kind);

}  // namespace corvel
