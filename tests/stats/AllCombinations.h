#pragma once

#include <cstdint>
#include <vector>

#include "model/CombinationEnumeration.h"
#include "model/GameConstants.h"

namespace corvel::test {

// The full list of C(48, 6) combinations, ascending, made once per test binary.
inline const std::vector<TCombination>& AllCombinations() {
    static const std::vector<TCombination> all = [] {
        std::vector<TCombination> v(kAllCombinations);
        EnumerateAllCombinations(v);
        return v;
    }();
    return all;
}

// A piece of the full list whose runs of equal first four numbers look
// complete but are not: a combination changed in its last number, in its
// first four or into a byte outside the game, one left out, runs repeated,
// and a run cut off at the end. Kernels that recognise complete runs must
// count every one of these as it is.
inline const std::vector<TCombination>& RunsWithFaults() {
    static const std::vector<TCombination> list = [] {
        const auto& all = AllCombinations();
        std::vector<TCombination> v(all.begin() + 3'000'000, all.begin() + 3'040'000);
        v[1'000][5] = static_cast<std::uint8_t>(v[1'000][5] == 48 ? 47 : v[1'000][5] + 1);
        v[5'000][2] = static_cast<std::uint8_t>(v[5'000][2] + 1);
        v[9'000][4] = 0;
        v.erase(v.begin() + 13'000);
        const std::vector<TCombination> again(v.begin() + 20'000, v.begin() + 20'500);
        v.insert(v.begin() + 20'500, again.begin(), again.end());
        v.insert(v.begin() + 30'000, v[30'000]);
        v.resize(v.size() - 7);
        return v;
    }();
    return list;
}

// Calls visit(x) with x[0] < ... < x[5] for every combination of 1..48, by
// plain nested loops of the test's own: the reference the brute-force figures
// are counted with, independent of the program's enumeration.
template <class Visit>
void ForEachCombination(Visit&& visit) {
    int x[6];
    for (x[0] = 1; x[0] <= 43; ++x[0])
        for (x[1] = x[0] + 1; x[1] <= 44; ++x[1])
            for (x[2] = x[1] + 1; x[2] <= 45; ++x[2])
                for (x[3] = x[2] + 1; x[3] <= 46; ++x[3])
                    for (x[4] = x[3] + 1; x[4] <= 47; ++x[4])
                        for (x[5] = x[4] + 1; x[5] <= 48; ++x[5]) visit(static_cast<const int(&)[6]>(x));
}

// The number of ways to choose k of n.
constexpr std::int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

}  // namespace corvel::test
