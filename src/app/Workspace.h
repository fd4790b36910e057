#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DataFolder.h"
#include "app/UiHooks.h"
#include "combs/CombsEdit.h"
#include "model/DrawRecord.h"
#include "stats/FilterApply.h"
#include "stats/FilterDefinition.h"
#include "stats/Prefetch.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"

namespace corvel::app {

// Owns, for one run, every long-lived object of the engine: the draw archive
// and the offset, the statistic registry with the game settings, the current
// combination list with its undo copy, the applied-filters list and the
// statistics table last computed. Every user command is one public operation
// here; the desktop program and the command line call them and show the
// results. Errors are reported through the hooks at the operation's boundary,
// with the busy state and the status text restored.
class Workspace {
public:
    Workspace(DataFiles files, UiHooks& hooks, std::size_t combsCapacity = kAllCombinations);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const DataFiles& Files() const { return files_; }
    UiHooks& Hooks() { return hooks_; }

    // Start-up in order: settings, registry with the user's captions, archive,
    // combination list with the stored generation mode.
    void Open();
    // The two halves of Open: what the window needs before it shows, and the
    // data loaded once it is shown.
    void OpenSettingsAndRegistry();
    void OpenData();

    // ---- settings and registry
    TStatList& Stats() { return stats_; }
    const TStatList& Stats() const { return stats_; }
    void LoadSettings();
    // Writes the game settings; false after an error (reported).
    bool SaveSettings();

    // ---- archive
    const TDrawsArray& Draws() const { return draws_; }
    int DrawsOffset() const { return offset_; }
    // Clamped to 0..Count-1.
    void SetDrawsOffset(int offset);
    bool SortedDraws = false;
    int LastAnalysedIndex() const;
    void LoadArchive();
    // Each change saves the archive at once; when saving fails the change is
    // taken back, so the archive in memory always equals the file. An archive
    // that could not be read whole is never rewritten: every change is refused.
    bool AddDraw(const TDrawRec& rec);
    bool ReplaceDraw(int index, const TDrawRec& rec);
    // Removes the draws at the archive indexes given (any order, repeats
    // ignored); an index outside the archive changes nothing.
    bool DeleteDrawsAt(const std::vector<int>& indexes);

    // ---- combinations
    TCombsList& Combs() { return combs_; }
    const TCombsList& Combs() const { return combs_; }
    const TAppliedFilters& Applied() const { return applied_; }
    // A new list with the stored generation mode and parameters, or with the
    // ones given. With progress (a user command) a successful generation
    // forgets the undo copy and the applied filters, as the new list does not
    // descend from the old one; a failed one leaves everything as it was.
    bool GenerateCombs(bool showProgress);
    bool GenerateCombs(int mode, const std::string& parameters, bool showProgress);
    // Replaces the list with an .lcv file or pasted text. On success the undo
    // copy and the applied filters are forgotten; on failure (shown) the list,
    // its undo copy and the applied filters stay as they were.
    bool OpenCombsFile(const std::filesystem::path& path);
    bool PasteCombs(std::string_view text);
    bool SaveCombsFile(const std::filesystem::path& path);
    // Removes the rows given (a cutting step with undo) and records it in the
    // applied filters. Returns how many were removed.
    std::size_t DeleteCombRows(std::span<const std::size_t> rows);
    bool ExcludeLastDraws(int n);
    bool UndoCombs();

    // ---- statistics table
    bool PrefetchsEnabled = true;
    // The table of method `index` over the last `windowLength` draws; an
    // unforced call with the same archive length, offset, window, method and
    // weight coefficients as the previous one keeps the previous table. (The
    // coefficients are part of the key so that a scenario step with its own
    // coefficients never sorts by the weights of the step before.)
    const TStatTable& ComputeStatTable(int index, int windowLength, bool force);
    const TStatTable& StatTable() const { return table_; }
    int StatTableMethod() const { return tableKey_ ? tableKey_->Method : -1; }
    // The prefetch cache of a method, built when missing or damaged; none when
    // prefetch is off, the method is not prefetchable, or building failed.
    std::optional<TPrefetchData> OpenPrefetch(int index);
    // Builds (or rebuilds) the cache of one method; the old file stays until
    // the new one is complete. Nothing after an error (reported).
    std::optional<TPrefetchData> RebuildPrefetch(int index);
    // Builds missing caches and rebuilds those of the groups in the mask
    // (bit g = group g). Does nothing unless forced or prefetch is on. A cache
    // that cannot be built is reported and the rest are built all the same.
    void BuildPrefetchFiles(bool force, std::uint32_t groups);

    // ---- filters
    // Keeps (or, with exclude, removes) the combinations having one of the
    // values; the new list is built from the undo copy saved first.
    bool FilterCombinations(int index, const TStatDrawArray& values, const std::string& valuesText, bool exclude);
    // The same step with the numbers selected in a grid view (method NUMS);
    // no numbers: "В выделенном диапазоне нет значений для фильтра!".
    bool FilterByNumbers(const std::vector<int>& numbers, const std::string& caption, bool exclude);
    void ApplyFilterCoefficients(bool override, const TCdlCoefficients& cdl);
    // One automatic filter step of a scenario: computes the method's table,
    // walks its rows and filters with the picked values. False after an error
    // or a stop request.
    bool ApplyFilterPart(const TFilterPart& part);
    // A filter definition as a whole: its parts one by one, in order, while
    // the list holds more than one combination, with a progress window when
    // there are several and a check of the stop request before each. The
    // stored weight coefficients are in effect again afterwards. False after
    // an error (reported: a bad definition, a missing method) or a stop.
    bool ApplyFilterDefinition(const TFilterItem& item);

private:
    struct TableKey {
        std::size_t Draws;
        int Offset;
        int Window;
        int Method;
        TCdlCoefficients Cdl;
        bool operator==(const TableKey&) const = default;
    };

    TStatFactory FilterFactory(int index) const;
    bool SaveArchive(const TDrawsArray& previous);
    void ReportError(std::string_view pattern, const std::string& message);

    DataFiles files_;
    UiHooks& hooks_;
    TDrawsArray draws_;
    bool archiveComplete_ = true;  // the file was read whole (else it is never rewritten)
    int offset_ = 0;
    TStatList stats_;
    TCombsList combs_;
    TAppliedFilters applied_;
    TStatTable table_;
    std::optional<TableKey> tableKey_;
    std::vector<std::uint8_t> filterScratch_;  // match bytes, kept between filters
};

}  // namespace corvel::app
