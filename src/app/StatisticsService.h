#pragma once

#include <cstdint>
#include <optional>

#include "app/ArchiveService.h"
#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/UiHooks.h"
#include "model/GameSettings.h"
#include "stats/Prefetch.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace corvel::app {

// The statistic registry of the run (with the game settings every method
// reads, which the settings service writes), the statistics table last
// computed and the prefetch caches. The table is kept while nothing it
// depends on changed: the archive's content, the offset, the sorted order and
// the settings by their revisions, the window, the method and the weight
// coefficients in effect.
class StatisticsService {
  public:
    StatisticsService(const DataFiles& files, UiHooks& hooks, const ChangeNotifier& changes,
                      const ArchiveService& archive);

    TStatList& Registry() { return stats_; }
    const TStatList& Registry() const { return stats_; }

    // Builds the registry for the current settings with the user's captions,
    // favourites and list options from the .flt file (a read error is
    // reported; the registry then has the standard captions).
    void RegisterMethods();
    // Builds the registry again after a change of the settings that decide
    // parameter ranges or formulas, keeping the user's captions, favourites
    // and list options: they go to the .flt file first and are read back
    // after the registration; when the file cannot be written or read (the
    // error is shown) the values held in memory are put back instead.
    void ReloadMethods();

    bool PrefetchsEnabled() const { return prefetchsEnabled_; }
    void SetPrefetchsEnabled(bool enabled) { prefetchsEnabled_ = enabled; }

    // The weight coefficients in effect: a scenario step's own, or (without
    // override) the person's stored ones.
    void ApplyFilterCoefficients(bool override, const TCdlCoefficients& cdl);

    // The table of method `index` over the last `windowLength` draws; an
    // unforced call with the same key as the previous one keeps the previous
    // table. False when the table or its prefetch cache failed (reported);
    // the table then holds what could be computed.
    bool ComputeTable(int index, int windowLength, bool force);
    const TStatTable& Table() const { return table_; }
    int TableMethod() const { return tableKey_ ? tableKey_->Method : -1; }

    // The values of the method accumulated over the last `windowLength` draws
    // of the analysed archive, in the order of their keys.
    TStatDrawArray WindowValues(TCustomStat& stat, int windowLength) const;

    // The prefetch cache of a method, built when missing or damaged; nothing
    // when prefetch is off or the method is not prefetchable. Throws
    // ECorvelError (its message names the cache) when it can be neither read
    // nor built.
    std::optional<TPrefetchData> OpenPrefetch(int index);
    // Builds (or rebuilds) the cache of one method; the old file stays until
    // the new one is complete. False after an error (reported).
    bool RebuildPrefetch(int index);
    // Builds missing caches and rebuilds those of the groups in the mask
    // (bit g = group g); a method of those groups that has no cache under the
    // current settings loses its old file. Does nothing unless forced or
    // prefetch is on. A cache
    // that cannot be built is reported and the rest are built all the same;
    // false when one failed or a stop was asked for.
    bool BuildPrefetchFiles(bool force, std::uint32_t groups);

  private:
    struct TableKey {
        TRevisions Revisions;
        int Window;
        int Method;
        TCdlCoefficients Cdl;
        bool operator==(const TableKey&) const = default;
    };

    TPrefetchData CreatePrefetchFile(int index);
    TPrefetchData WritePrefetchFile(int index, TStatDrawArray histogram);

    const DataFiles& files_;
    UiHooks& hooks_;
    const ChangeNotifier& changes_;
    const ArchiveService& archive_;
    TStatList stats_;
    bool prefetchsEnabled_ = true;
    TStatTable table_;
    std::optional<TableKey> tableKey_;
};

}  // namespace corvel::app
