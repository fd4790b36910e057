#pragma once

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

// The number of ways to choose k of n.
constexpr std::int64_t Binomial(int n, int k) {
    if (k < 0 || k > n) return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

}  // namespace corvel::test
