#include "model/CombinationEnumeration.h"

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace corvel {

namespace {

std::size_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::size_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * static_cast<std::size_t>(n - k + i) / static_cast<std::size_t>(i);
    return r;
}

// The pairs of first two numbers in lexicographic order, with the position of
// each pair's block in the full enumeration.
struct Prefix {
    std::uint8_t A, B;
    std::size_t Offset;
};

std::vector<Prefix> Prefixes() {
    std::vector<Prefix> prefixes;
    std::size_t offset = 0;
    for (int a = 1; a <= kMaxNumber - 5; ++a)
        for (int b = a + 1; b <= kMaxNumber - 4; ++b) {
            prefixes.push_back({static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), offset});
            offset += Binomial(kMaxNumber - b, 4);
        }
    return prefixes;
}

// Writes the block of combinations starting with a, b; returns its end. A
// combination is one 8-byte store of its six bytes (the two bytes past it are
// rewritten by the next one); the last of each run of f, which may be the
// last of the block and border another thread's block, is written as six
// bytes. That halves the stores of writing the numbers one by one.
TCombination* WriteBlock(std::uint8_t a, std::uint8_t b, TCombination* out) {
    static_assert(sizeof(TCombination) == 6);
    for (std::uint64_t c = b + 1u; c <= kMaxNumber - 3; ++c)
        for (std::uint64_t d = c + 1; d <= kMaxNumber - 2; ++d)
            for (std::uint64_t e = d + 1; e <= kMaxNumber - 1; ++e) {
                const std::uint64_t prefix = a | std::uint64_t{b} << 8 | c << 16 | d << 24 | e << 32;
                for (std::uint64_t f = e + 1; f < kMaxNumber; ++f) {
                    const std::uint64_t word = prefix | f << 40;
                    std::memcpy(out++, &word, sizeof word);
                }
                const std::uint64_t last = prefix | std::uint64_t{kMaxNumber} << 40;
                std::memcpy(out++, &last, sizeof(TCombination));
            }
    return out;
}

}  // namespace

std::size_t EnumerateAllCombinations(std::span<TCombination> out) {
    if (out.size() < kAllCombinations) throw std::length_error("combination buffer too small");
    // Every block's place is known in advance, so the cores fill the list
    // side by side.
    const std::vector<Prefix> prefixes = Prefixes();
    tbb::parallel_for(std::size_t{0}, prefixes.size(), [&](std::size_t i) {
        WriteBlock(prefixes[i].A, prefixes[i].B, out.data() + prefixes[i].Offset);
    });
    return kAllCombinations;
}

// C(46, 4): the block of the prefix 1, 2.
constexpr std::size_t kLargestBlock = 163'185;

void ForEachEnumerationBlock(const std::function<void(std::span<const TCombination>)>& body) {
    const std::vector<Prefix> prefixes = Prefixes();
    tbb::enumerable_thread_specific<std::vector<TCombination>> buffers;
    tbb::parallel_for(std::size_t{0}, prefixes.size(), [&](std::size_t i) {
        std::vector<TCombination>& buffer = buffers.local();
        if (buffer.empty()) buffer.resize(kLargestBlock);
        TCombination* end = WriteBlock(prefixes[i].A, prefixes[i].B, buffer.data());
        body(std::span<const TCombination>(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
    });
}

}  // namespace corvel
