#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ArchiveService.h"
#include "app/Changes.h"
#include "app/SettingsService.h"
#include "app/StatisticsService.h"
#include "app/UiHooks.h"
#include "combs/CombsBuffer.h"
#include "combs/CombsEdit.h"
#include "stats/FilterApply.h"
#include "stats/FilterDefinition.h"

namespace corvel::app {

// The current combination list with its undo copy, the applied-filters list
// and every command that changes them: generation, files and paste, cutting
// steps with undo, and filtering by statistic values (by hand, or walked
// automatically as a scenario step or a filter definition). Each change is
// announced (Combs).
class CombinationsService {
  public:
    CombinationsService(UiHooks& hooks, ChangeNotifier& changes, const ArchiveService& archive,
                        StatisticsService& statistics, const SettingsService& settings,
                        std::size_t capacity = kAllCombinations);

    TCombsList& List() { return combs_; }
    const TCombsList& List() const { return combs_; }
    const TAppliedFilters& Applied() const { return applied_; }

    // A new list with the stored generation mode and parameters, or with the
    // ones given. With progress (a user command) a successful generation
    // forgets the undo copy and the applied filters, as the new list does not
    // descend from the old one; a failed one leaves everything as it was.
    bool Generate(bool showProgress);
    bool Generate(int mode, const std::string& parameters, bool showProgress);
    // Replaces the list with an .lcv file or pasted text. On success the undo
    // copy and the applied filters are forgotten; on failure (shown) the list,
    // its undo copy and the applied filters stay as they were.
    bool OpenFile(const std::filesystem::path& path);
    bool Paste(std::string_view text);
    bool SaveFile(const std::filesystem::path& path);
    // Removes the rows given (a cutting step with undo) and records it in the
    // applied filters. Returns how many were removed.
    std::size_t DeleteRows(std::span<const std::size_t> rows);
    bool ExcludeLastDraws(int n);
    bool Undo();
    // The information box about where the combination was drawn.
    void ShowInArchive(const TCombination& c);

    // Keeps (or, with exclude, removes) the combinations having one of the
    // values; the new list is built from the undo copy saved first.
    bool Filter(int index, const TStatDrawArray& values, const std::string& valuesText, bool exclude);
    // The same step with the numbers selected in a grid view (method NUMS);
    // no numbers: texts::kNoGridValues.
    bool FilterByNumbers(const std::vector<int>& numbers, const std::string& caption, bool exclude);
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

    // A scenario run's log of its filter steps: the table computed, its rows,
    // each row picked, the keep or remove, the count left, a step taken back.
    // Empty: no log.
    std::function<void(const std::string&)> WalkLog;

    // The start list "every combination but those of the last n draws" of a
    // scenario line: read from the buffer when it holds the list for the
    // current offset and n, else made from the full list (with an undo copy)
    // and written to the buffer. False after an error (reported).
    bool StartWithoutLastDraws(int n, TCombsBuffer& buffer);

  private:
    TStatFactory FilterFactory(int index) const;
    bool FilterStep(int index, const TStatDrawArray& values, const std::string& valuesText, bool exclude);
    // Runs a change of the list and announces it.
    template <typename Change>
    auto Changing(Change&& change) {
        auto result = change();
        changes_.Notify(EChange::Combs);
        return result;
    }

    UiHooks& hooks_;
    ChangeNotifier& changes_;
    const ArchiveService& archive_;
    StatisticsService& statistics_;
    const SettingsService& settings_;
    TCombsList combs_;
    TAppliedFilters applied_;
    std::vector<std::uint8_t> filterScratch_;  // match bytes, kept between filters
};

}  // namespace corvel::app
