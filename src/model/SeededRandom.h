#pragma once

#include <cstdint>
#include <random>

namespace corvel {

// The program's random choices: a 64-bit Mersenne twister, whose sequence
// the C++ standard fixes for every library, started from a seed that is
// shown to the person and can be given back to repeat a run exactly.
class TSeededRandom {
  public:
    explicit TSeededRandom(std::uint64_t seed) : seed_(seed), engine_(seed) {}
    // A seed from the system's entropy source, for a run nobody asked to repeat.
    static std::uint64_t FreshSeed();

    std::uint64_t Seed() const { return seed_; }
    // A uniform index 0..count-1 (count >= 1), without the bias of a plain
    // remainder: draws that fall into the uneven tail are drawn again.
    std::uint64_t Below(std::uint64_t count);
    // The engine itself, for the standard distributions.
    std::mt19937_64& Engine() { return engine_; }

  private:
    std::uint64_t seed_;
    std::mt19937_64 engine_;
};

}  // namespace corvel
