#include "stats/StatValue.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace corvel {

void AddStatValue(TStatDrawArray& values, const TStatDrawRec& item, bool withIntervals) {
    const std::uint64_t key = PackKey(item.Key);
    for (auto& e : values) {
        if (PackKey(e.Key) != key) continue;
        e.Count += item.Count;
        if (e.Depth == 0 || (item.Depth > 0 && e.Depth >= item.Depth)) {
            e.LastDraw = item.LastDraw;
            e.Depth = item.Depth;
        }
        if (withIntervals && item.LastDraw > 0 && e.PrevDraw > 0) {
            // Distances are kept in 16 bits, as the value record stores them.
            auto d = static_cast<std::uint16_t>(std::abs(static_cast<std::int64_t>(e.PrevDraw) - item.LastDraw));
            if (d < e.MinInterval || e.MinInterval == 0) e.MinInterval = d;
            if (d > e.MaxInterval || e.MaxInterval == 0) e.MaxInterval = d;
        }
        e.PrevDraw = item.LastDraw;
        return;
    }
    TStatDrawRec copy = item;
    copy.Expected = 0;
    values.push_back(copy);
}

void AddSimpleValue(TStatSimpleArray& values, std::int32_t key, std::int32_t amount) {
    for (auto& e : values)
        if (e.Key == key) {
            if (amount > 0) e.Value += amount;
            return;
        }
    values.push_back({key, amount});
}

std::int32_t UpdateLastValue(const TStatDrawRec& item, TLastValueArray& lastValues) {
    const std::uint64_t key = PackKey(item.Key);
    for (auto& e : lastValues)
        if (PackKey(e.Key) == key) {
            std::int32_t distance = item.LastDraw - e.LastDraw;
            e.LastDraw = item.LastDraw;
            return distance;
        }
    lastValues.push_back({item.LastDraw, item.Key});
    return -1;
}

bool HasKey(const TStatDrawArray& values, const TStatKey& key) {
    const std::uint64_t k = PackKey(key);
    return std::any_of(values.begin(), values.end(), [k](const TStatDrawRec& e) { return PackKey(e.Key) == k; });
}

bool HasKey0And2(const TStatDrawArray& values, std::uint16_t a, std::uint16_t b) {
    return std::any_of(values.begin(), values.end(),
                       [&](const TStatDrawRec& e) { return e.Key[0] == a && e.Key[2] == b; });
}

bool HasKeyByte(const TStatDrawArray& values, int byte, std::uint8_t a) {
    return std::any_of(values.begin(), values.end(), [&](const TStatDrawRec& e) { return KeyByte(e.Key, byte) == a; });
}

bool HasKeyWord(const TStatDrawArray& values, int word, std::uint16_t a) {
    return std::any_of(values.begin(), values.end(),
                       [&](const TStatDrawRec& e) { return e.Key[static_cast<std::size_t>(word)] == a; });
}

bool HasKey0Or2(const TStatDrawArray& values, std::uint16_t a) {
    return std::any_of(values.begin(), values.end(),
                       [&](const TStatDrawRec& e) { return e.Key[0] == a || e.Key[2] == a; });
}

void SortStatValues(TStatDrawArray& values) {
    auto order = [](const TStatDrawRec& e) {
        return std::uint64_t{e.Key[0]} << 48 | std::uint64_t{e.Key[1]} << 32 | std::uint64_t{e.Key[2]} << 16 |
               std::uint64_t{e.Key[3]};
    };
    std::stable_sort(values.begin(), values.end(),
                     [&](const TStatDrawRec& a, const TStatDrawRec& b) { return order(a) < order(b); });
}

TStatTotals StatTotals(const TStatDrawArray& values) {
    TStatTotals t;
    t.MinCount = std::numeric_limits<std::int32_t>::max();
    for (const auto& e : values) {
        t.MinCount = std::min(t.MinCount, e.Count);
        t.MaxCount = std::max(t.MaxCount, e.Count);
        t.MaxDepth = std::max(t.MaxDepth, e.Depth);
        t.TotalCount += e.Count;
    }
    return t;
}

}  // namespace corvel
