#pragma once

#include <span>

#include "stats/StatClass.h"

// Number properties (group 0): each of the six numbers by itself — the numbers,
// their digits, how many are even, small or prime and the pattern of those
// properties in number order, the number at a position, and the extra numbers.
namespace corvel {

// The number definitions the families share, for every byte 0..255.
constexpr bool IsEvenNumber(int n) { return n % 2 == 0; }
constexpr bool IsSmallNumber(int n) { return n <= 24; }
// The fixed set {1, 2, 3, 5, 7, ..., 47}; 1 counts as prime.
constexpr bool IsPrimeNumber(int n) {
    constexpr int kPrimes[] = {1, 2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47};
    for (int p : kPrimes)
        if (p == n) return true;
    return false;
}

// The family's class rows in registration order.
std::span<const TStatClass> NumberPropertyClasses();

}  // namespace corvel
