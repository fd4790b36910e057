#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/Money.h"

namespace corvel {

// One rating row as the ratings file holds it, 304 bytes, little-endian.
struct TRatingRec {
    static constexpr std::size_t kFileSize = 304;
    // The comment as the file holds it: a length byte and 255 code page 1251 bytes.
    std::array<std::uint8_t, 256> CommentBytes{};
    std::uint32_t Stakes = 0;
    std::uint32_t Matches = 0;
    std::array<std::uint32_t, 7> ByMatches{};
    TMoney Profit;

    std::string Comment() const;  // UTF-8
    friend bool operator==(const TRatingRec&, const TRatingRec&) = default;
};

void EncodeRatingRec(const TRatingRec& rec, std::uint8_t* out304);
TRatingRec DecodeRatingRec(const std::uint8_t* in304);

// The columns of the ratings list.
inline constexpr int kRatingColumns = 20;

// Whether row a goes before row b in a sort by the column (0..19): one value
// per row and column, so a strict weak order whatever the values; rows without
// stakes go last, by comment, in both directions.
bool RatingRowBefore(const TRatingRec& a, const TRatingRec& b, int column, bool descending);

}  // namespace corvel
