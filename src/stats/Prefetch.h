#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stats/StatValue.h"

// Prefetch caches: per method, how often each value occurs over all
// C(48, 6) combinations, computed once and kept in "Prefetchs/<program>_<CODE>.dfc".
// Records of 12 bytes (four key words, count), sorted by key, then a 12-byte
// trailer (smallest count, largest count, 0), all little-endian.
namespace corvel {

class TStatList;

struct TPrefetchRecord {
    TStatKey Key{};
    std::int32_t Count = 0;
    friend bool operator==(const TPrefetchRecord&, const TPrefetchRecord&) = default;
};

struct TPrefetchData {
    std::vector<TPrefetchRecord> Records;
    std::int32_t AllMin = 0;
    std::int32_t AllMax = 0;
};

std::filesystem::path PrefetchPath(const std::filesystem::path& folder, const std::string& code);

// The file's bytes for a histogram (sorted here) and back. Parsing refuses a
// size that is not 12 x k + 12 and a trailer that disagrees with the records;
// a trailer whose largest count is 0 gives a cache without records and
// AllMax 0, which the statistics table does not use.
std::string EncodePrefetch(TStatDrawArray histogram);
std::optional<TPrefetchData> DecodePrefetch(const std::string& bytes);

// Reads a cache file; nothing when it is missing, empty, truncated or
// inconsistent (such a file is rebuilt, never trusted). A file whose trailer
// holds a largest count of 0 is read as such (ignored, not rebuilt).
std::optional<TPrefetchData> ReadPrefetch(const std::filesystem::path& file);

// Computes the histogram of method `index` over the full enumeration on all
// cores and writes the file through a temporary file and a rename. Throws
// ECorvelError with the reason.
TPrefetchData CreatePrefetch(const TStatList& list, int index, const std::filesystem::path& folder);
// Writes the cache of method `index` from its full-enumeration histogram, as
// CreatePrefetch does.
TPrefetchData WritePrefetch(const TStatList& list, int index, TStatDrawArray histogram,
                            const std::filesystem::path& folder);

// The full-enumeration histogram of one method, sorted by key.
TStatDrawArray FullHistogram(const TStatList& list, int index);
// The histograms of several methods in one pass over the enumeration: each
// block of combinations is generated once and counted by every method while
// it is still in the cache.
std::vector<TStatDrawArray> FullHistograms(const TStatList& list, std::span<const int> indexes);

}  // namespace corvel
