#include "combs/CombinationEnumeration.h"

#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace corvel {

std::size_t EnumerateAllCombinations(std::span<TCombination> out) {
    if (out.size() < kAllCombinations) throw std::length_error("combination buffer too small");
    std::size_t k = 0;
    // Nested loops keep the inner two levels free of branches on the outer
    // ones; the compiler turns the innermost loop into plain 6-byte stores.
    for (std::uint8_t a = 1; a <= kMaxNumber - 5; ++a)
        for (std::uint8_t b = a + 1; b <= kMaxNumber - 4; ++b)
            for (std::uint8_t c = b + 1; c <= kMaxNumber - 3; ++c)
                for (std::uint8_t d = c + 1; d <= kMaxNumber - 2; ++d)
                    for (std::uint8_t e = d + 1; e <= kMaxNumber - 1; ++e)
                        for (std::uint8_t f = e + 1; f <= kMaxNumber; ++f) out[k++] = {a, b, c, d, e, f};
    return k;
}

// C(46, 4): the block of the prefix 1, 2.
constexpr std::size_t kLargestBlock = 163'185;

void ForEachEnumerationBlock(const std::function<void(std::span<const TCombination>)>& body) {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> prefixes;
    for (int a = 1; a <= kMaxNumber - 5; ++a)
        for (int b = a + 1; b <= kMaxNumber - 4; ++b)
            prefixes.emplace_back(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b));
    tbb::enumerable_thread_specific<std::vector<TCombination>> buffers;
    tbb::parallel_for(std::size_t{0}, prefixes.size(), [&](std::size_t i) {
        auto [a, b] = prefixes[i];
        std::vector<TCombination>& buffer = buffers.local();
        if (buffer.empty()) buffer.resize(kLargestBlock);
        TCombination* out = buffer.data();
        for (std::uint8_t c = b + 1; c <= kMaxNumber - 3; ++c)
            for (std::uint8_t d = c + 1; d <= kMaxNumber - 2; ++d)
                for (std::uint8_t e = d + 1; e <= kMaxNumber - 1; ++e)
                    for (std::uint8_t f = e + 1; f <= kMaxNumber; ++f) *out++ = {a, b, c, d, e, f};
        body(std::span<const TCombination>(buffer.data(), static_cast<std::size_t>(out - buffer.data())));
    });
}

}  // namespace corvel
