#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

#include "model/GameConstants.h"
#include "stats/CombinationVector.h"

// Runs of combinations that share their first four numbers, as a generated
// list holds them, and the complete ones among them: a complete run holds
// every pair after its fourth number d in ascending order, as the full list
// does, so what it holds follows from d and its first four numbers; it is
// recognised by a comparison, without counting its combinations.
namespace corvel::kernels {

// The first four numbers of a combination as one word, in memory order.
inline std::uint32_t FirstFour(const TCombination& c) {
    std::uint32_t p;
    std::memcpy(&p, c.data(), sizeof p);
    return p;
}
// The last two numbers of a combination as one word, in memory order.
inline std::uint16_t LastTwo(const TCombination& c) {
    std::uint16_t t;
    std::memcpy(&t, c.data() + 4, sizeof t);
    return t;
}

// Every pair e < f of the game's numbers in ascending order, as LastTwo
// gives it: the pairs that follow a fourth number d in a generated list are
// the part from the first pair with e = d + 1 on.
struct AscendingPairs {
    static constexpr std::size_t kCount = kMaxNumber * (kMaxNumber - 1) / 2;
    std::array<std::uint16_t, kCount> Pair{};
    std::array<std::size_t, kMaxNumber + 2> From{};  // first pair with e = index
};
inline constexpr AscendingPairs kAscendingPairs = [] {
    AscendingPairs p{};
    std::size_t k = 0;
    for (int e = kMinNumber; e <= kMaxNumber; ++e) {
        p.From[e] = k;
        for (int f = e + 1; f <= kMaxNumber; ++f, ++k)
            // In memory order: the fifth number is the lower byte on a
            // little-endian machine.
            p.Pair[k] = std::endian::native == std::endian::little ? static_cast<std::uint16_t>(e | f << 8)
                                                                   : static_cast<std::uint16_t>(e << 8 | f);
    }
    p.From[kMaxNumber + 1] = k;
    return p;
}();

namespace detail {

inline std::uint32_t Differs(const TCombination& c, std::uint32_t prefix, std::uint16_t pair) {
    return (FirstFour(c) ^ prefix) | static_cast<std::uint32_t>(LastTwo(c) ^ pair);
}

#if CORVEL_COMB_SSE
// Byte q of eight combinations is byte q % 6 of combination q / 6: one of
// the prefix's four bytes or of the pair's two. A lane of -1 takes 0.
struct RunShuffles {
    __m128i Prefix[3], Pair[3];
};
inline const RunShuffles kRunShuffles = [] {
    RunShuffles s;
    for (int j = 0; j < 3; ++j) {
        alignas(16) std::int8_t prefix[16], pair[16];
        for (int lane = 0; lane < 16; ++lane) {
            const int q = 16 * j + lane, comb = q / 6, at = q % 6;
            prefix[lane] = static_cast<std::int8_t>(at < 4 ? at : -1);
            pair[lane] = static_cast<std::int8_t>(at < 4 ? -1 : 2 * comb + at - 4);
        }
        s.Prefix[j] = _mm_load_si128(reinterpret_cast<const __m128i*>(prefix));
        s.Pair[j] = _mm_load_si128(reinterpret_cast<const __m128i*>(pair));
    }
    return s;
}();
#endif

// Whether combs[0 .. length) are prefix followed by the pairs in order;
// compared in blocks, so a run that breaks off early costs little.
inline bool IsCompleteRun(const TCombination* combs, std::uint32_t prefix, const std::uint16_t* pairs,
                          std::size_t length) {
    std::size_t k = 0;
#if CORVEL_COMB_SSE
    // Eight combinations are three registers: the prefix and eight pairs put
    // into their places by byte shuffles and compared at once.
    const RunShuffles& shuffle = kRunShuffles;
    const __m128i prefixes = _mm_cvtsi32_si128(static_cast<int>(prefix));
    const __m128i expected[3] = {_mm_shuffle_epi8(prefixes, shuffle.Prefix[0]),
                                 _mm_shuffle_epi8(prefixes, shuffle.Prefix[1]),
                                 _mm_shuffle_epi8(prefixes, shuffle.Prefix[2])};
    for (; k + 8 <= length; k += 8) {
        const auto* bytes = reinterpret_cast<const __m128i*>(combs[k].data());
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pairs + k));
        __m128i differ = _mm_setzero_si128();
        for (int j = 0; j < 3; ++j) {
            const __m128i want = _mm_or_si128(expected[j], _mm_shuffle_epi8(eight, shuffle.Pair[j]));
            differ = _mm_or_si128(differ, _mm_xor_si128(_mm_loadu_si128(bytes + j), want));
        }
        if (!_mm_testz_si128(differ, differ)) return false;
    }
#else
    constexpr std::size_t kBlock = 8;
    for (; k + kBlock <= length; k += kBlock) {
        std::uint32_t differ = 0;
        for (std::size_t j = k; j < k + kBlock; ++j) differ |= Differs(combs[j], prefix, pairs[j]);
        if (differ) return false;
    }
#endif
    std::uint32_t differ = 0;
    for (; k < length; ++k) differ |= Differs(combs[k], prefix, pairs[k]);
    return differ == 0;
}

}  // namespace detail

// How many pairs of numbers follow a fourth number d: the length of its
// complete run.
constexpr std::size_t PairsAfter(std::size_t d) { return (kMaxNumber - d) * (kMaxNumber - d - 1) / 2; }

// A span cut into runs of combinations that share their first four
// numbers. A complete run, every pair after the fourth number d in ascending
// order, goes to complete(first combination, d) after a comparison only; any
// other run goes whole to partial(run). A run may come in several parts.
template <class Complete, class Partial>
void ForEachRun(std::span<const TCombination> combs, Complete&& complete, Partial&& partial) {
    const auto& pairs = kAscendingPairs;
    const std::size_t n = combs.size();
    std::size_t i = 0;
    while (i < n) {
        const TCombination& head = combs[i];
        const std::uint32_t prefix = FirstFour(head);
        if (const std::size_t d = head[3]; d >= kMinNumber && d < kMaxNumber - 1) {
            const std::size_t length = PairsAfter(d);
            if (length <= n - i &&
                detail::IsCompleteRun(combs.data() + i, prefix, pairs.Pair.data() + pairs.From[d + 1], length)) {
                complete(head, d);
                i += length;
                continue;
            }
        }
        const std::size_t start = i;
        while (i < n && FirstFour(combs[i]) == prefix) ++i;
        partial(combs.subspan(start, i - start));
    }
}

}  // namespace corvel::kernels
