#include "stats/Prefetch.h"

#include <tbb/enumerable_thread_specific.h>

#include <algorithm>
#include <cstring>

#include "model/CombinationEnumeration.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/GameConstants.h"
#include "stats/CustomStat.h"
#include "stats/StatList.h"

namespace corvel {
namespace {

constexpr std::size_t kRecordSize = 12;

void PutInt32(std::string& out, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>(u >> (8 * i));
}

std::int32_t GetInt32(const unsigned char* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
}

}  // namespace

std::filesystem::path PrefetchPath(const std::filesystem::path& folder, const std::string& code) {
    return folder / Format("%s_%s.dfc", {kProgramStem, code});
}

std::string EncodePrefetch(TStatDrawArray histogram) {
    SortStatValues(histogram);
    const TStatTotals totals = StatTotals(histogram);
    std::string out;
    out.reserve((histogram.size() + 1) * kRecordSize);
    for (const auto& v : histogram) {
        for (auto w : v.Key) {
            out += static_cast<char>(w & 0xFF);
            out += static_cast<char>(w >> 8);
        }
        PutInt32(out, v.Count);
    }
    PutInt32(out, histogram.empty() ? 0 : totals.MinCount);
    PutInt32(out, totals.MaxCount);
    PutInt32(out, 0);
    return out;
}

std::optional<TPrefetchData> DecodePrefetch(const std::string& bytes) {
    if (bytes.size() < kRecordSize || bytes.size() % kRecordSize != 0) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t count = bytes.size() / kRecordSize - 1;
    const unsigned char* trailer = p + count * kRecordSize;
    TPrefetchData data;
    if (GetInt32(trailer + 4) == 0) {
        // A largest count of 0 says the cache holds nothing to compare with:
        // it is kept as it is and not used.
        data.AllMin = GetInt32(trailer);
        return data;
    }
    data.Records.resize(count);
    std::int32_t minCount = 0, maxCount = 0;
    for (std::size_t i = 0; i < count; ++i, p += kRecordSize) {
        TPrefetchRecord& r = data.Records[i];
        for (std::size_t w = 0; w < 4; ++w) r.Key[w] = static_cast<std::uint16_t>(p[2 * w] | p[2 * w + 1] << 8);
        r.Count = GetInt32(p + 8);
        if (r.Count < 0) return std::nullopt;
        minCount = i == 0 ? r.Count : std::min(minCount, r.Count);
        maxCount = std::max(maxCount, r.Count);
    }
    data.AllMin = GetInt32(p);
    data.AllMax = GetInt32(p + 4);
    if (GetInt32(p + 8) != 0 || data.AllMin != minCount || data.AllMax != maxCount) return std::nullopt;
    return data;
}

std::optional<TPrefetchData> ReadPrefetch(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    return DecodePrefetch(ReadFileBytes(file));
}

std::vector<TStatDrawArray> FullHistograms(const TStatList& list, std::span<const int> indexes) {
    struct Local {
        std::vector<std::unique_ptr<TCustomStat>> Stats;
        std::vector<TStatDrawArray> Values;
    };
    tbb::enumerable_thread_specific<Local> locals([&] {
        Local local;
        for (int index : indexes) local.Stats.push_back(list.CreateStat(index));
        local.Values.resize(indexes.size());
        return local;
    });
    ForEachEnumerationBlock([&](std::span<const TCombination> block) {
        Local& local = locals.local();
        for (std::size_t k = 0; k < local.Stats.size(); ++k) local.Stats[k]->SpanHistogram(block, local.Values[k]);
    });
    std::vector<TStatDrawArray> merged(indexes.size());
    for (const Local& local : locals)
        for (std::size_t k = 0; k < merged.size(); ++k)
            for (const auto& v : local.Values[k]) AddStatValue(merged[k], v, false);
    for (auto& values : merged) SortStatValues(values);
    return merged;
}

TStatDrawArray FullHistogram(const TStatList& list, int index) {
    const int indexes[] = {index};
    return std::move(FullHistograms(list, indexes).front());
}

TPrefetchData WritePrefetch(const TStatList& list, int index, TStatDrawArray histogram,
                            const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) throw EFileError(Format("%s: %s", {folder.string(), SystemErrorText(ec.value())}));
    const std::string bytes = EncodePrefetch(std::move(histogram));
    WriteFileAtomically(PrefetchPath(folder, list.Item(index).Code()), bytes);
    return *DecodePrefetch(bytes);
}

TPrefetchData CreatePrefetch(const TStatList& list, int index, const std::filesystem::path& folder) {
    return WritePrefetch(list, index, FullHistogram(list, index), folder);
}

}  // namespace corvel
