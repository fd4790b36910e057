#pragma once

#include <initializer_list>
#include <vector>

#include "model/CombsArray.h"

// Small helpers of the combination tests: filling a list and reading it back.
namespace corvel::test {

inline void Fill(TCombsArray& list, const std::vector<TCombination>& combinations) {
    list.Clear();
    for (const TCombination& c : combinations) list.Append(c);
}

inline std::vector<TCombination> ItemsOf(const TCombsArray& list) { return {list.Items().begin(), list.Items().end()}; }

// A few distinct combinations a test puts into a list to see that a refused
// operation left it alone.
inline std::vector<TCombination> Sentinel() { return {{9, 8, 7, 6, 5, 4}, {40, 41, 42, 43, 44, 45}}; }

}  // namespace corvel::test
