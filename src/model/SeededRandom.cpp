#include "model/SeededRandom.h"

#include <limits>

namespace corvel {

std::uint64_t TSeededRandom::FreshSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

std::uint64_t TSeededRandom::Below(std::uint64_t count) {
    if (count <= 1) return 0;
    // The largest multiple of count that fits: values at or above it would
    // favour the small indexes.
    const std::uint64_t limit =
        std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % count;
    for (;;) {
        const std::uint64_t v = engine_();
        if (v < limit) return v % count;
    }
}

}  // namespace corvel
