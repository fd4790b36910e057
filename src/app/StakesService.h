#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/ArchiveService.h"
#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/StatisticsService.h"
#include "app/UiHooks.h"
#include "model/GraphSeries.h"
#include "stakes/StakeCheck.h"
#include "stakes/StakeSummary.h"
#include "stakes/StakesFile.h"

namespace corvel::app {

// The stakes of the run: the stakes file, held open from start-up (by whoever
// holds the folder lock), its operations with their reports, and checking.
// Every change of the archive checks the stakes waiting for it at once, with
// the whole archive whatever the offset; each newly checked stake goes to the
// ratings sink when one is set. Changes of the file are announced (Stakes).
class StakesService {
  public:
    StakesService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes, const ArchiveService& archive,
                  const StatisticsService& statistics);
    ~StakesService();
    StakesService(const StakesService&) = delete;
    StakesService& operator=(const StakesService&) = delete;

    // Opens the stakes file and checks it as start-up does, showing what that
    // repaired as warnings; false after an error (reported).
    bool Open();
    bool IsOpen() const { return file_.IsOpen(); }
    const TStakesFile& File() const { return file_; }

    // The stake log switch ("StakesLogEnabled" of the view settings).
    bool LogEnabled = false;
    void SetRatingsSink(TCheckedStakeSink* sink) { sink_ = sink; }

    // A blank manual stake of six numbers for the next draw after the
    // analysed window, with its cost as the profit and the list size.
    TStakeRec NewStake(const TCombination& numbers, std::int32_t sample) const;

    // Each adds the stakes for `draws` consecutive draws (the series rule of
    // the file), then checks. False after an error (reported).
    bool Add(const TStakeRec& rec, int draws);
    bool Add(std::span<const TStakeRec> recs, int draws);
    // The same without the check, for a caller that checks once after many
    // appends (a scenario run).
    bool Append(std::span<const TStakeRec> recs, int draws);
    // Adds `count` stakes made by make(i) for `draws` draws each (a whole
    // combination list), with the progress in the status text; a stop
    // request or an error leaves the file as it was. False then (an error
    // is reported, a stop is not).
    bool AddGenerated(std::int64_t count, const std::function<TStakeRec(std::int64_t)>& make, int draws,
                      bool check = true);
    bool DeleteRange(std::int64_t first, std::int64_t last);
    bool DeleteRecords(std::vector<std::int64_t> indexes);
    bool DeleteByCondition(TStakeCondition condition, int value);
    bool Clear();
    // One checking pass; the number of stakes checked, -1 after an error.
    // `first`: only the records from that one on (those appended since the
    // last pass, while the archive stayed as it was).
    std::int64_t Check(std::int64_t first = 0);
    // What the stakes have cost, won and may still win, with the current prizes.
    TStakesSummary Summary() const;
    // The profit per draw graph; nothing after an error (reported).
    std::optional<TGraph> DrawProfitsGraph() const;

  private:
    bool Changing(std::string_view status, std::string_view failure, const std::function<void()>& change);

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    const ArchiveService& archive_;
    const StatisticsService& statistics_;
    TStakesFile file_;
    TCheckedStakeSink* sink_ = nullptr;
    int subscription_ = 0;
};

}  // namespace corvel::app
