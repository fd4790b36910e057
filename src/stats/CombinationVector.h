#pragma once

#include <cstdint>
#include <cstring>

#include "model/GameConstants.h"

// A combination's six bytes in the low lanes of a vector register, for value
// functions that treat the six numbers at once. Built for processors with
// SSE4.1 (the program's x86-64-v2 level); elsewhere CORVEL_COMB_SSE is 0 and
// the callers keep their plain loops.
#if defined(__SSE4_1__)
#include <smmintrin.h>
#define CORVEL_COMB_SSE 1
#else
#define CORVEL_COMB_SSE 0
#endif

#if CORVEL_COMB_SSE
namespace corvel::vec {

// Lanes 0..5 hold the numbers, lanes 6..15 are 0. The two loads are joined in
// a register: copying the six bytes into a word in memory and reading it back
// would stall on the partial stores.
inline __m128i LoadCombination(const TCombination& c) {
    std::uint32_t low;
    std::uint16_t high;
    std::memcpy(&low, c.data(), sizeof low);
    std::memcpy(&high, c.data() + sizeof low, sizeof high);
    return _mm_cvtsi64_si128(static_cast<long long>(low | std::uint64_t{high} << 32));
}

// Lanes 0..4: |number k + 1 - number k|; lane 5 holds number 5, lanes 6..15 are 0.
inline __m128i NeighbourDifferences(__m128i v) {
    const __m128i next = _mm_srli_si128(v, 1);
    return _mm_sub_epi8(_mm_max_epu8(v, next), _mm_min_epu8(v, next));
}

// The sum of the sixteen byte lanes.
inline int SumOfLanes(__m128i v) {
    const __m128i sums = _mm_sad_epu8(v, _mm_setzero_si128());
    return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
}

// The largest of byte lanes 0 .. Lanes - 1 (at most 8).
template <int Lanes>
inline int LargestLane(__m128i v) {
    static_assert(Lanes >= 1 && Lanes <= 8);
    // The smallest of 255 - x over the lanes, with the unused lanes at 255.
    const __m128i wide = _mm_cvtepu8_epi16(v);
    __m128i flipped = _mm_sub_epi16(_mm_set1_epi16(255), wide);
    flipped = _mm_or_si128(flipped, _mm_slli_si128(_mm_set1_epi16(-1), 2 * Lanes));
    return 255 - _mm_extract_epi16(_mm_minpos_epu16(flipped), 0);
}

// The smallest of byte lanes 0 .. Lanes - 1 (at most 8).
template <int Lanes>
inline int SmallestLane(__m128i v) {
    static_assert(Lanes >= 1 && Lanes <= 8);
    __m128i wide = _mm_cvtepu8_epi16(v);
    wide = _mm_or_si128(wide, _mm_slli_si128(_mm_set1_epi16(-1), 2 * Lanes));
    return _mm_extract_epi16(_mm_minpos_epu16(wide), 0);
}

// A byte property as a 256-bit set: bit b % 8 of byte b / 8.
struct alignas(16) TBitTable {
    std::uint8_t Bits[32] = {};
};

constexpr TBitTable MakeBitTable(bool (*property)(int)) {
    TBitTable t;
    for (int b = 0; b < 256; ++b)
        if (property(b)) t.Bits[b / 8] = static_cast<std::uint8_t>(t.Bits[b / 8] | 1u << (b % 8));
    return t;
}

// 0xFF in each lane whose byte has the property, else 0; low and high hold
// bytes 0..15 and 16..31 of the set.
inline __m128i PropertyLanes(__m128i v, __m128i low, __m128i high) {
    // Byte b / 8 of the set: the shuffles see its low four bits, bit 7 of b
    // picks the half.
    const __m128i index = _mm_and_si128(_mm_srli_epi16(v, 3), _mm_set1_epi8(0x0F));
    const __m128i set = _mm_blendv_epi8(_mm_shuffle_epi8(low, index), _mm_shuffle_epi8(high, index), v);
    const __m128i bit = _mm_shuffle_epi8(_mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128),
                                         _mm_and_si128(v, _mm_set1_epi8(7)));
    return _mm_cmpeq_epi8(_mm_and_si128(set, bit), bit);
}

inline __m128i PropertyLanes(__m128i v, const TBitTable& table) {
    return PropertyLanes(v, _mm_load_si128(reinterpret_cast<const __m128i*>(table.Bits)),
                         _mm_load_si128(reinterpret_cast<const __m128i*>(table.Bits + 16)));
}

}  // namespace corvel::vec
#endif
