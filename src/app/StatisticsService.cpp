#include "app/StatisticsService.h"

#include <filesystem>
#include <map>
#include <string>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "stats/CustomStat.h"
#include "stats/StatCompute.h"

namespace corvel::app {

StatisticsService::StatisticsService(const DataFiles& files, UiHooks& hooks, const ChangeNotifier& changes,
                                     const ArchiveService& archive)
    : files_(files), hooks_(hooks), changes_(changes), archive_(archive) {
    stats_.SetDraws(&archive_.Draws());
}

void StatisticsService::RegisterMethods() {
    stats_.RegisterMethods();
    RunOperation(hooks_, {.Failure = texts::kFiltersLoadError}, [&] { stats_.LoadNames(files_.FilterNames(), true); });
    tableKey_.reset();
}

void StatisticsService::ReloadMethods() {
    const auto file = files_.FilterNames();
    std::map<std::string, std::string> captions;
    for (int i = 0; i < stats_.Count(); ++i)
        if (!stats_.Item(i).UserCaption.empty()) captions[stats_.Item(i).Code()] = stats_.Item(i).UserCaption;
    const std::string favorites = stats_.GetFavoritesText();
    const bool ordered = stats_.Ordered;
    const bool showGroupName = stats_.ShowGroupName;
    const bool showMethodFlags = stats_.ShowMethodFlags;

    bool fromFile =
        RunOperation(hooks_, {.Failure = texts::kFiltersSaveError}, [&] { stats_.SaveNames(file, true, false); });
    stats_.RegisterMethods();
    stats_.SetAllFavorites();
    if (fromFile)
        fromFile = RunOperation(hooks_, {.Failure = texts::kFiltersLoadError}, [&] { stats_.LoadNames(file, true); });
    if (!fromFile) {
        stats_.SetFavoritesText(favorites);
        stats_.Ordered = ordered;
        stats_.ShowGroupName = showGroupName;
        stats_.ShowMethodFlags = showMethodFlags;
        for (int i = 0; i < stats_.Count(); ++i) {
            auto it = captions.find(stats_.Item(i).Code());
            stats_.Item(i).UserCaption = it != captions.end() ? it->second : std::string();
        }
    }
    tableKey_.reset();
}

void StatisticsService::ApplyFilterCoefficients(bool override, const TCdlCoefficients& cdl) {
    stats_.Settings.Config.CDL = override ? cdl : stats_.Settings.CDLDefault;
}

TStatDrawArray StatisticsService::WindowValues(TCustomStat& stat, int windowLength) const {
    TStatDrawArray values = ComputeWindowValues(
        stat, MakeStatWindow(archive_.Draws().size(), archive_.Offset(), windowLength), archive_.Sorted());
    SortStatValues(values);
    return values;
}

std::optional<TPrefetchData> StatisticsService::OpenPrefetch(int index) {
    if (!prefetchsEnabled_ || index < 0 || index >= stats_.Count()) return std::nullopt;
    if (!stats_.IsPrefetchable(index)) return std::nullopt;
    const auto path = PrefetchPath(files_.PrefetchFolder(), stats_.Item(index).Code());
    try {
        // A missing, empty, truncated or inconsistent file is built anew.
        if (auto data = ReadPrefetch(path)) return data;
    } catch (const ECorvelError& e) {
        throw ECorvelError(ErrorReport(Format(texts::kPrefetchOpenError, {path.string()}), e.what()));
    }
    return CreatePrefetchFile(index);
}

TPrefetchData StatisticsService::CreatePrefetchFile(int index) {
    const auto path = PrefetchPath(files_.PrefetchFolder(), stats_.Item(index).Code());
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(Format(texts::kPrefetchCreating, {path.filename().string()}));
    TPrefetchData data = WritePrefetchFile(index, FullHistogram(stats_, index));
    hooks_.ShowStatus("");
    return data;
}

TPrefetchData StatisticsService::WritePrefetchFile(int index, TStatDrawArray histogram) {
    const auto path = PrefetchPath(files_.PrefetchFolder(), stats_.Item(index).Code());
    try {
        return WritePrefetch(stats_, index, std::move(histogram), files_.PrefetchFolder());
    } catch (const ECorvelError& e) {
        throw ECorvelError(ErrorReport(Format(texts::kPrefetchCreateError, {path.string()}), e.what()));
    }
}

bool StatisticsService::RebuildPrefetch(int index) {
    // The error names the cache itself.
    return RunOperation(hooks_, {}, [&] { CreatePrefetchFile(index); });
}

bool StatisticsService::BuildPrefetchFiles(bool force, std::uint32_t groups) {
    if (!force && !prefetchsEnabled_) return true;
    BusyGuard busy(hooks_);
    bool ok = true;
    {
        ProgressWindow progress(hooks_, texts::kPrefetchBuilding, stats_.Count());
        std::vector<int> pending;
        for (int i = 0; i < stats_.Count() && !hooks_.StopRequested(); ++i) {
            const TStatMethod& m = stats_.Item(i);
            if (!stats_.IsPrefetchable(i)) {
                // A method of a rebuilt group that has no cache under the new
                // settings (a formula reading the draw before) loses the old one.
                if (m.StatClass->IsPrefetchable() && (groups & (1u << m.StatClass->Group))) {
                    std::error_code ec;
                    std::filesystem::remove(PrefetchPath(files_.PrefetchFolder(), m.Code()), ec);
                }
                hooks_.StepProgress(1);
                continue;
            }
            bool present = false;
            try {
                present = ReadPrefetch(PrefetchPath(files_.PrefetchFolder(), m.Code())).has_value();
            } catch (const ECorvelError&) {
                present = false;  // unreadable: try to build it anew
            }
            if (present && !(groups & (1u << m.StatClass->Group)))
                hooks_.StepProgress(1);
            else
                pending.push_back(i);
        }
        hooks_.ProcessEvents();
        // A few methods per pass over the enumeration: one generation of the
        // combinations serves them all, and progress and a stop still come
        // between passes.
        constexpr std::size_t kMethodsPerPass = 8;
        for (std::size_t first = 0; first < pending.size() && !hooks_.StopRequested(); first += kMethodsPerPass) {
            const std::span<const int> batch =
                std::span<const int>(pending).subspan(first, std::min(kMethodsPerPass, pending.size() - first));
            std::vector<TStatDrawArray> histograms;
            ok = RunOperation(hooks_, {},
                              [&] {
                                  const auto path =
                                      PrefetchPath(files_.PrefetchFolder(), stats_.Item(batch.front()).Code());
                                  hooks_.ShowStatus(Format(texts::kPrefetchCreating, {path.filename().string()}));
                                  histograms = FullHistograms(stats_, batch);
                              }) &&
                 ok;
            // A cache that cannot be written is reported; the others still are.
            for (std::size_t k = 0; k < histograms.size(); ++k)
                ok = RunOperation(hooks_, {}, [&] { WritePrefetchFile(batch[k], std::move(histograms[k])); }) && ok;
            hooks_.StepProgress(static_cast<int>(batch.size()));
            hooks_.ProcessEvents();
        }
    }
    hooks_.ShowStatus("");
    return ok && !hooks_.StopRequested();
}

bool StatisticsService::ComputeTable(int index, int windowLength, bool force) {
    // The combination list is no input of the table.
    TRevisions revisions = changes_.Revisions();
    revisions.Combs = 0;
    const TableKey key{revisions, windowLength, index, stats_.Settings.Config.CDL};
    if (!force && tableKey_ && *tableKey_ == key) return true;
    tableKey_ = key;
    table_ = {};
    const TDrawsArray& draws = archive_.Draws();
    if (index < 0 || index >= stats_.Count() || draws.empty()) return true;

    BusyGuard busy(hooks_);
    // Without its cache the table is still computed, with "-" in the columns
    // of the full set of combinations.
    std::optional<TPrefetchData> prefetch;
    bool ok = RunOperation(hooks_, {}, [&] { prefetch = OpenPrefetch(index); });
    ok = RunOperation(hooks_, {.Status = texts::kStatCalculating},
                      [&] {
                          auto stat = stats_.CreateStat(index);
                          TStatTableInput input{draws,
                                                archive_.Offset(),
                                                windowLength,
                                                archive_.Sorted(),
                                                stats_.Settings.Config.CDL,
                                                prefetch ? &*prefetch : nullptr};
                          table_ = corvel::ComputeStatTable(*stat, input);
                      }) &&
         ok;
    return ok;
}

}  // namespace corvel::app
