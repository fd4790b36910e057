#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

// A set of byte values 0..255, one bit each. Combinations read from files may
// hold any byte, so every byte is a valid question; only 1..48 can ever occur
// in a generated combination.
namespace corvel {

class TNumberSet {
  public:
    // Values outside 0..255 are ignored.
    void Add(long long value) {
        if (value < 0 || value > 255) return;
        words_[static_cast<std::size_t>(value) >> 6] |= std::uint64_t{1} << (value & 63);
    }
    bool Contains(std::uint8_t value) const { return (words_[value >> 6] >> (value & 63)) & 1U; }
    bool Empty() const { return (words_[0] | words_[1] | words_[2] | words_[3]) == 0; }
    // The members 1..48 as bits 1..48 of one word, the form the generation
    // kernels test against.
    std::uint64_t GameNumbers() const { return words_[0] & kGameMask; }
    int GameNumberCount() const { return std::popcount(GameNumbers()); }

    friend bool operator==(const TNumberSet&, const TNumberSet&) = default;

    static constexpr std::uint64_t kGameMask = ((std::uint64_t{1} << 49) - 1) & ~std::uint64_t{1};

  private:
    std::array<std::uint64_t, 4> words_{};
};

// The user's numbers: words separated by "," or ";"; each trimmed word is read
// as an integer (a word that is not one counts as 0), and values 0..255 go
// into the set.
TNumberSet ParseUserNumbers(std::string_view text);

}  // namespace corvel
