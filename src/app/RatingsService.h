#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/UiHooks.h"
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

    void AddCheckedStake(const TStakeRec& rec) override;
    void PassEnded() override;

  private:
    bool SortAndSave(std::string_view status, std::string_view failure);

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    TRatingsTable table_;
    bool loaded_ = false;
    bool added_ = false;
    std::int64_t unrated_ = 0;
};

}  // namespace corvel::app
