#pragma once

// Helpers of the tests of the group families (channels, matrix, segments):
// a registry over a small archive with chosen settings, the texts of the
// values of one draw, and full-list counts of a filter and a histogram.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "stats/AllCombinations.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"
#include "stats/StatList.h"
#include "stats/StatFixtures.h"

namespace corvel::test {

// Settings with the given geometry; segments as 48 digits, empty: all 1.
inline TGameSettings Geometry(int matrixCols, int channelSize, const std::string& segments = "") {
    TGameSettings s;
    s.Config.MatrixCols = matrixCols;
    s.Config.ChannelSize = channelSize;
    for (std::size_t i = 0; i < segments.size() && i < 48; ++i)
        s.Config.MatrixSegments[i] = static_cast<std::uint8_t>(segments[i] - '0');
    return s;
}

// Segment digits of the numbers 1..48, one block of digits per run.
inline std::string SegmentRuns(std::initializer_list<std::pair<int, char>> runs) {
    std::string s;
    for (auto [length, digit] : runs) s.append(static_cast<std::size_t>(length), digit);
    return s;
}

// A registry with these settings over the archive.
struct GroupRegistry {
    TDrawsArray Draws;
    TStatList List;
    GroupRegistry(const TGameSettings& settings, TDrawsArray draws = {}) : Draws(std::move(draws)) {
        List.Settings = settings;
        List.SetDraws(&Draws);
        List.RegisterMethods();
    }
    std::unique_ptr<TCustomStat> Stat(const std::string& code) const {
        const int i = List.FindMethod(code);
        return i >= 0 ? List.CreateStat(i) : nullptr;
    }
    std::vector<std::string> CodesStartingWith(const std::string& prefix) const {
        std::vector<std::string> codes;
        for (int i = 0; i < List.Count(); ++i) {
            const std::string code = List.Item(i).Code();
            if (code.rfind(prefix, 0) == 0) codes.push_back(code);
        }
        return codes;
    }
};

// The texts of the entries in array order joined by ", ", each followed by
// "*count" when its count is not 1.
inline std::string EntryTexts(const TCustomStat& stat, const TStatDrawArray& values) {
    std::string text;
    for (const auto& v : values) {
        if (!text.empty()) text += ", ";
        text += stat.ValueToText(v);
        if (v.Count != 1) text += "*" + std::to_string(v.Count);
    }
    return text;
}

// The values of the one draw of the registry's archive, without seeded rows.
inline std::string DrawTexts(const GroupRegistry& r, const std::string& code, bool sorted) {
    auto stat = r.Stat(code);
    if (!stat) return "no method " + code;
    stat->SetContext(0, sorted);
    stat->BeginPass();
    TStatDrawArray values;
    stat->DrawValues(0, values);
    return EntryTexts(*stat, values);
}

// The seeded rows of a method.
inline std::string SeedTexts(const GroupRegistry& r, const std::string& code) {
    auto stat = r.Stat(code);
    if (!stat) return "no method " + code;
    TStatDrawArray values;
    stat->EnumValues(values);
    for (auto& v : values) v.Count = 1;
    return EntryTexts(*stat, values);
}

// How many of all C(48,6) combinations a filter on the selected keys keeps.
inline std::int64_t FullListMatches(const GroupRegistry& r, const std::string& code,
                                    std::initializer_list<TStatKey> keys) {
    return FullListMatchCount(r.List, code, SelectedKeys(keys));
}

// The histogram of a method over all C(48,6) combinations, sorted by key.
inline TStatDrawArray FullListHistogram(const GroupRegistry& r, const std::string& code) {
    const int index = r.List.FindMethod(code);
    return ParallelSpanHistogram([&] { return r.List.CreateStat(index); }, AllCombinations());
}

// The count of one key in a histogram; 0 when absent.
inline std::int64_t CountOf(const TStatDrawArray& values, const TStatKey& key) {
    for (const auto& v : values)
        if (v.Key == key) return v.Count;
    return 0;
}

inline TStatKey Key(int a, int b = 0, int c = 0, int d = 0) {
    return {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b), static_cast<std::uint16_t>(c),
            static_cast<std::uint16_t>(d)};
}

}  // namespace corvel::test
