#pragma once

// Figures of the sums and differences over all C(48,6) combinations, counted
// by a plain loop over every six ascending numbers written from the
// definitions of the values, not by the methods under test, once per test
// binary.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "stats/AllCombinations.h"

namespace corvel::test {

struct FullListFigures {
    std::int64_t Total = 0;
    std::array<std::int64_t, 274> Sum{};  // by the sum of the six numbers
    std::array<std::int64_t, 274> EvenSum{};
    std::array<std::int64_t, 274> PrimeSum{};
    std::array<std::int64_t, 61> TwoMakeThird{};             // by the number of (a + b = c) triples
    std::array<std::int64_t, 48> EachGap{};                  // every one of the five gaps counted
    std::array<std::int64_t, 48> LargestGap{};               // by the largest gap
    std::array<std::int64_t, 48> Spread{};                   // by largest - smallest
    std::array<std::int64_t, 6> MostRepeatedGap{};           // by how often the commonest gap occurs
    std::array<std::array<std::int64_t, 6>, 48> GapTimes{};  // [gap][times]: combinations where gap occurs times
};

inline const FullListFigures& BruteForceFigures() {
    static const FullListFigures figures = [] {
        auto prime = [](int n) {
            for (int p : {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47})
                if (n == p) return true;
            return false;
        };
        FullListFigures f;
        ForEachCombination([&](const int(&x)[6]) {
            ++f.Total;
            int sum = 0, even = 0, primes = 0;
            for (int n : x) {
                sum += n;
                if (n % 2 == 0) even += n;
                if (prime(n)) primes += n;
            }
            ++f.Sum[sum];
            ++f.EvenSum[even];
            ++f.PrimeSum[primes];
            int triples = 0;
            for (int i = 0; i < 6; ++i)
                for (int j = 0; j < 6; ++j)
                    for (int k = j + 1; k < 6; ++k)
                        if (i != j && i != k && x[j] + x[k] == x[i]) ++triples;
            ++f.TwoMakeThird[triples];
            int largest = 0;
            std::array<int, 48> times{};
            for (int i = 0; i < 5; ++i) {
                const int gap = x[i + 1] - x[i];
                ++f.EachGap[gap];
                largest = std::max(largest, gap);
                ++times[gap];
            }
            ++f.LargestGap[largest];
            ++f.Spread[x[5] - x[0]];
            int most = 0;
            for (int gap = 1; gap < 48; ++gap) {
                if (times[gap]) ++f.GapTimes[gap][times[gap]];
                most = std::max(most, times[gap]);
            }
            ++f.MostRepeatedGap[most];
        });
        return f;
    }();
    return figures;
}

inline const std::vector<TCombination>& FullList() { return AllCombinations(); }
inline std::int64_t Choose(int n, int k) { return Binomial(n, k); }

}  // namespace corvel::test
