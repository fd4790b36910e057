#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatList.h"

namespace corvel::test {

// A registry over the given archive with the default settings.
inline void RegisterOver(TStatList& list, const TDrawsArray& draws) {
    list.SetDraws(&draws);
    list.RegisterMethods();
}

// An instance of the registered method; null, and a failure, for a code the
// registry does not have.
inline std::unique_ptr<TCustomStat> CreateByCode(const TStatList& list, const std::string& code) {
    const int index = list.FindMethod(code);
    EXPECT_GE(index, 0) << code;
    return index >= 0 ? list.CreateStat(index) : nullptr;
}

// Selected values with the given whole keys.
inline TStatDrawArray SelectedKeys(std::initializer_list<TStatKey> keys) {
    TStatDrawArray values;
    for (const TStatKey& k : keys) {
        TStatDrawRec v;
        v.Key = k;
        values.push_back(v);
    }
    return values;
}

// How many of all C(48, 6) combinations a filter on the values keeps, each
// combination standing for the draw after `last`, on all cores.
inline std::int64_t FullListMatchCount(const TStatList& list, const std::string& code, const TStatDrawArray& values,
                                       int last = -1) {
    const int index = list.FindMethod(code);
    EXPECT_GE(index, 0) << code;
    if (index < 0) return -1;
    std::vector<std::uint8_t> out(AllCombinations().size());
    ParallelSpanMatch(
        [&] {
            auto s = list.CreateStat(index);
            s->PrepareFilter(last, false);
            return s;
        },
        AllCombinations(), values, false, out.data());
    return std::count(out.begin(), out.end(), 1);
}

// How often each Key[0] occurs over all C(48, 6) combinations, for a method
// of the default settings.
inline std::map<int, std::int64_t> FullListCountsOfKey0(const std::string& code) {
    TDrawsArray draws;
    TStatList list;
    RegisterOver(list, draws);
    const int index = list.FindMethod(code);
    EXPECT_GE(index, 0) << code;
    std::map<int, std::int64_t> counts;
    if (index < 0) return counts;
    for (const auto& v : ParallelSpanHistogram([&] { return list.CreateStat(index); }, AllCombinations()))
        counts[v.Key[0]] += v.Count;
    return counts;
}

}  // namespace corvel::test
