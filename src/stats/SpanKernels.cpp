#include "stats/SpanKernels.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <utility>

#include "stats/CombinationVector.h"
#include "stats/CompleteRuns.h"

namespace corvel::kernels {
namespace {

#if CORVEL_COMB_SSE
// Sixteen combinations are 96 bytes, six vectors.
constexpr std::size_t kBlockCombs = 16;

// A byte property as a 256-bit set: bit b % 8 of byte b / 8; bytes 0..127 in
// Low, 128..255 in High.
struct BitLookup {
    __m128i Low;
    __m128i High;
};

BitLookup MakeBitLookup(const ByteTable& property) {
    alignas(16) std::array<std::uint8_t, 32> bits{};
    for (std::size_t b = 0; b < 256; ++b)
        if (property[b]) bits[b / 8] = static_cast<std::uint8_t>(bits[b / 8] | 1u << (b % 8));
    return {_mm_load_si128(reinterpret_cast<const __m128i*>(bits.data())),
            _mm_load_si128(reinterpret_cast<const __m128i*>(bits.data() + 16))};
}

// Bit j set when byte j of v has the property.
inline std::uint64_t PropertyBits(__m128i v, const BitLookup& t) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(vec::PropertyLanes(v, t.Low, t.High)));
}

// The property bits of sixteen combinations in list order, 0..63 in Low and
// 64..95 in High; combination k owns bits 6k..6k+5, which is its pattern.
// Moving the bits to integer registers once per block and cutting them apart
// with constant shifts takes fewer instructions than assembling the patterns
// in vectors.
struct BlockBits {
    std::uint64_t Low;
    std::uint64_t High;
};

inline BlockBits LoadBlockBits(const TCombination* combs, const BitLookup& t) {
    const auto* p = reinterpret_cast<const __m128i*>(combs);
    const std::uint64_t b0 = PropertyBits(_mm_loadu_si128(p), t);
    const std::uint64_t b1 = PropertyBits(_mm_loadu_si128(p + 1), t);
    const std::uint64_t b2 = PropertyBits(_mm_loadu_si128(p + 2), t);
    const std::uint64_t b3 = PropertyBits(_mm_loadu_si128(p + 3), t);
    const std::uint64_t b4 = PropertyBits(_mm_loadu_si128(p + 4), t);
    const std::uint64_t b5 = PropertyBits(_mm_loadu_si128(p + 5), t);
    return {b0 | b1 << 16 | b2 << 32 | b3 << 48, b4 | b5 << 16};
}

// The pattern of combination K of the block: a shift and a mask.
template <std::size_t K>
inline unsigned BlockPattern(const BlockBits& bits) {
    constexpr std::size_t shift = 6 * K;
    if constexpr (shift + 6 <= 64)
        return static_cast<unsigned>(bits.Low >> shift) & 63;
    else if constexpr (shift >= 64)
        return static_cast<unsigned>(bits.High >> (shift - 64)) & 63;
    else
        return static_cast<unsigned>(bits.Low >> shift | bits.High << (64 - shift)) & 63;
}

template <class Fn, std::size_t... K>
inline void ForEachInBlock(const BlockBits& bits, Fn&& fn, std::index_sequence<K...>) {
    (fn(K, BlockPattern<K>(bits)), ...);
}

// fn(k, pattern) for k = 0..15, in order.
template <class Fn>
inline void ForEachInBlock(const BlockBits& bits, Fn&& fn) {
    ForEachInBlock(bits, fn, std::make_index_sequence<kBlockCombs>{});
}
#endif

}  // namespace

ByteTable SelectKey0(const TStatDrawArray& values) {
    ByteTable sel{};
    for (const auto& v : values)
        if (v.Key[0] < 256) sel[v.Key[0]] = 1;
    return sel;
}

void CountBytesByPosition(std::span<const TCombination> combs, PositionCounts& counts) {
    // The first four positions of a generated or filtered list change rarely
    // from one combination to the next, so they are counted once per run of
    // an equal four-byte prefix. A complete run after d holds every number e
    // after d 48 - e times at the fifth position and every f f - d - 1 times
    // at the sixth: those are added per d at the end. In any other run the
    // last two positions change almost every time; while both are below 64,
    // as numbers of a game are, they go to one counter of the pair (16 KB, in
    // the first-level cache), split into the two positions at the end: one
    // counter update per combination instead of two.
    std::array<std::uint64_t, kMaxNumber + 1> runsAfter{};
    constexpr unsigned kPairSide = 64;
    std::vector<std::uint32_t> pairs;  // only when a run is not complete
    std::size_t pending = 0;
    auto foldPairs = [&] {
        for (unsigned a = 0; a < kPairSide; ++a) {
            std::uint64_t row = 0;
            for (unsigned b = 0; b < kPairSide; ++b) {
                const std::uint32_t v = std::exchange(pairs[a * kPairSide + b], 0);
                row += v;
                counts[5][b] += v;
            }
            counts[4][a] += row;
        }
        pending = 0;
    };
    constexpr std::size_t kFoldAfter = std::size_t{1} << 30;  // 32-bit counters cannot overflow before
    auto firstFour = [&](const TCombination& c, std::uint64_t times) {
        for (std::size_t p = 0; p < 4; ++p) counts[p][c[p]] += times;
    };
    ForEachRun(
        combs,
        [&](const TCombination& c, std::size_t d) {
            firstFour(c, PairsAfter(d));
            ++runsAfter[d];
        },
        [&](std::span<const TCombination> run) {
            firstFour(run.front(), run.size());
            if (pairs.empty()) pairs.resize(kPairSide * kPairSide);
            for (const TCombination& c : run) {
                const unsigned a = c[4], b = c[5];
                if ((a | b) < kPairSide) {
                    ++pairs[a * kPairSide + b];
                } else {
                    ++counts[4][a];
                    ++counts[5][b];
                }
                if (++pending == kFoldAfter) foldPairs();
            }
        });
    if (!pairs.empty()) foldPairs();
    for (std::size_t d = 0; d <= kMaxNumber; ++d) {
        if (!runsAfter[d]) continue;
        for (std::size_t n = d + 1; n <= kMaxNumber; ++n) {
            counts[4][n] += runsAfter[d] * (kMaxNumber - n);
            counts[5][n] += runsAfter[d] * (n - d - 1);
        }
    }
}

void MatchPattern(std::span<const TCombination> combs, const ByteTable& property, const PatternTable& sel,
                  std::uint8_t* out) {
    std::size_t i = 0;
    const std::size_t n = combs.size();
#if CORVEL_COMB_SSE
    const BitLookup lookup = MakeBitLookup(property);
    for (; i + kBlockCombs <= n; i += kBlockCombs) {
        const BlockBits bits = LoadBlockBits(&combs[i], lookup);
        std::uint8_t* o = out + i;
        ForEachInBlock(bits, [&](std::size_t k, unsigned pattern) { o[k] = sel[pattern]; });
    }
#endif
    for (; i < n; ++i) out[i] = sel[static_cast<std::size_t>(PatternOf(property, combs[i]))];
}

void CountPatterns(std::span<const TCombination> combs, const ByteTable& property, PatternCounts& counts) {
    // Neighbouring combinations of a generated list mostly share their
    // pattern; four interleaved counter sets break the chains of increments.
    std::array<std::array<std::uint32_t, 64>, 4> local{};
    constexpr std::size_t kBlock = std::size_t{1} << 30;
    std::size_t i = 0;
    const std::size_t n = combs.size();
#if CORVEL_COMB_SSE
    const BitLookup lookup = MakeBitLookup(property);
#endif
    while (i < n) {
        const std::size_t end = std::min(n, i + kBlock);
#if CORVEL_COMB_SSE
        for (; i + kBlockCombs <= end; i += kBlockCombs) {
            const BlockBits bits = LoadBlockBits(&combs[i], lookup);
            ForEachInBlock(bits, [&](std::size_t k, unsigned pattern) { ++local[k % 4][pattern]; });
        }
#endif
        for (; i < end; ++i) ++local[0][static_cast<std::size_t>(PatternOf(property, combs[i]))];
        for (std::size_t p = 0; p < 64; ++p) {
            counts[p] += std::uint64_t{local[0][p]} + local[1][p] + local[2][p] + local[3][p];
            local[0][p] = local[1][p] = local[2][p] = local[3][p] = 0;
        }
    }
}

void AddCount(TStatDrawArray& values, std::uint16_t key, std::uint64_t count) {
    TStatDrawRec item;
    item.Key[0] = key;
    // The value record counts in 32 bits; a span larger than that saturates.
    item.Count = static_cast<std::int32_t>(std::min<std::uint64_t>(count, std::numeric_limits<std::int32_t>::max()));
    AddStatValue(values, item, false);
}

void AddCount(TStatDrawArray& values, const TStatKey& key, std::uint64_t count) {
    TStatDrawRec item;
    item.Key = key;
    item.Count = static_cast<std::int32_t>(std::min<std::uint64_t>(count, std::numeric_limits<std::int32_t>::max()));
    AddStatValue(values, item, false);
}

namespace {
// A power of two with at most half of it in use.
std::size_t TableSize(std::size_t keys) { return std::bit_ceil(std::max<std::size_t>(16, 2 * keys)); }

TStatKey UnpackKey(std::uint64_t k) {
    return {static_cast<std::uint16_t>(k), static_cast<std::uint16_t>(k >> 16), static_cast<std::uint16_t>(k >> 32),
            static_cast<std::uint16_t>(k >> 48)};
}
}  // namespace

KeySet::KeySet(const TStatDrawArray& values)
    : keys_(TableSize(values.size())), used_(keys_.size()), mask_(keys_.size() - 1) {
    for (const auto& v : values) {
        const std::uint64_t k = PackKey(v.Key);
        std::size_t slot = Slot(k, mask_);
        while (used_[slot] && keys_[slot] != k) slot = (slot + 1) & mask_;
        keys_[slot] = k;
        used_[slot] = 1;
    }
}

KeyCounts::KeyCounts(std::size_t distinct) : entries_(TableSize(distinct)), mask_(entries_.size() - 1) {}

void KeyCounts::AddTo(TStatDrawArray& values) {
    std::vector<Entry> used;
    for (const Entry& e : entries_)
        if (e.Count) used.push_back(e);
    std::sort(used.begin(), used.end(), [](const Entry& a, const Entry& b) { return a.Key < b.Key; });
    // Distinct keys go straight to an empty array; merging one by one would
    // search the array for every key.
    const bool fresh = values.empty();
    for (const Entry& e : used) {
        if (!fresh) {
            AddCount(values, UnpackKey(e.Key), e.Count);
            continue;
        }
        TStatDrawRec item;
        item.Key = UnpackKey(e.Key);
        item.Count =
            static_cast<std::int32_t>(std::min<std::uint64_t>(e.Count, std::numeric_limits<std::int32_t>::max()));
        values.push_back(item);
    }
}

}  // namespace corvel::kernels
