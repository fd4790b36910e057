#pragma once

#include <cstddef>

namespace corvel {

// Splits the positions 0..total-1 into at most 100 consecutive blocks, one
// per percent, and calls onBlock(begin, end, percent) for every non-empty one;
// `percent` is the part done when the block begins. A long loop that reports
// before each block after the first (begin > 0) thus reports at most once per
// percent, with distinct percents, however small or large the total, and its
// inner loop stays free of progress checks.
template <typename OnBlock>
void ForEachPercentBlock(std::size_t total, OnBlock&& onBlock) {
    for (std::size_t percent = 0; percent < 100; ++percent) {
        const std::size_t begin = total * percent / 100;
        const std::size_t end = total * (percent + 1) / 100;
        if (begin < end) onBlock(begin, end, percent);
    }
}

}  // namespace corvel
