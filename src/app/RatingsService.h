#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/UiHooks.h"
#include "ratings/RatingGraphs.h"
#include "ratings/RatingsTable.h"
#include "stakes/StakeCheck.h"

namespace corvel::app {

class ScenarioService;
class StakesService;
class StatisticsService;

// The ratings of the run, fed by stake checking, kept in
// CorvelLotto_6x48.lrt in display order. The file is read before the first
// stake is added, so a check never saves the new rows over rows it has not
// read; a file that cannot be read is kept aside (.bak) rather than written over.
class RatingsService : public TCheckedStakeSink {
  public:
    RatingsService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes);

    // Start-up (and the first use, when start-up did not run): the file, sorted.
    void Load();
    const TRatingsTable& Table() const { return table_; }

    // The view's sort, which every save keeps (default: the average, descending).
    int SortColumn = 3;
    bool Descending = true;
    bool Sort(int column, bool descending);

    // Every checked stake of the stakes file anew, after the caller asked
    // whether the data of deleted stakes may go.
    bool Rebuild(const StakesService& stakes);
    bool ExportCsv(const std::filesystem::path& file) const;
    // The rows' comments turned back into scenario lines, appended to the
    // scenario; rows that hold no filter are reported. The lines added.
    int AddToScenario(const std::vector<std::size_t>& rows, const StatisticsService& statistics,
                      ScenarioService& scenario);

    // The graphs of the rows (indexes into Table(); others are left out):
    // their stakes' matches or profits, and their stakes by match count.
    // Nothing after an error (reported).
    std::optional<TGraph> StakesGraph(const StakesService& stakes, const std::vector<std::size_t>& rows,
                                      TStakeGraphValue value) const;
    std::optional<TGraph> MatchCountsGraph(const std::vector<std::size_t>& rows) const;

    void AddCheckedStake(const TStakeRec& rec) override;
    void PassEnded() override;

  private:
    bool SortAndSave(std::string_view status, std::string_view failure);
    std::vector<TRatingRec> Selected(const std::vector<std::size_t>& rows) const;

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    TRatingsTable table_;
    bool loaded_ = false;
    bool added_ = false;
    std::int64_t unrated_ = 0;
};

}  // namespace corvel::app
