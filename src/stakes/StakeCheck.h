#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "model/DrawRecord.h"
#include "model/GameSettings.h"
#include "model/Money.h"
#include "stakes/StakesFile.h"

// Checking stakes against the archive: the drawn numbers, the matches and the
// money result of every stake whose draw has come, the stakes log, and the
// channel through which each newly checked stake reaches the ratings.
namespace corvel {

// C(k, 6) simple stakes in a stake of k numbers (1 for k <= 6).
std::int64_t SimpleStakesIn(int numbers);

// The money result of a stake of k numbers with m matches: minus C(k, 6)
// times the cost, plus the prize of the first prize-table entry for m
// matches (none for m = -1, an unchecked stake).
TMoney StakeProfit(int numbers, int matches, const TConfigData& config);

// Where every stake checked by a pass goes next (the ratings).
class TCheckedStakeSink {
  public:
    virtual ~TCheckedStakeSink() = default;
    virtual void AddCheckedStake(const TStakeRec& rec) = 0;
    // After every checking pass, also one that ended with an error: what the
    // pass added is kept (saved) here, so no checked stake's part is lost.
    virtual void PassEnded() {}
};

// The stakes logs: one text file per match count in the data folder,
// "CorvelLotto_6x48-%d.log", a line per checked stake, replaced once it has
// grown past 256 MiB.
class TStakeLog {
  public:
    static constexpr std::uint64_t kMaxLogBytes = 268'435'456;

    explicit TStakeLog(std::filesystem::path folder);
    // "yyyy.mm.dd hh:nn:ss" of the moment a line is written; tests pass a fixed one.
    std::function<std::string()> Now;

    std::filesystem::path FileFor(int matches) const;
    std::string LineFor(const TStakeRec& rec) const;  // without the line end
    // Appends the stake's line; throws EFileError with the operation's text.
    void Write(const TStakeRec& rec) const;

  private:
    std::filesystem::path folder_;
};

struct TStakeCheckResult {
    std::int64_t Checked = 0;  // stakes checked by this pass
    std::int64_t Damaged = 0;  // records that could not be trusted and were left alone
    std::string LogError;      // the first error writing the log, if any (the pass went on)
};

// One pass over the file: every unchecked stake with Draw > 0 and at least six
// numbers whose draw is in the archive (any offset) gets its result, matches
// and profit and is written back in place; the others stay as they are.
// Damaged records are skipped. `progress` gets the percent done now and then;
// `log` and `sink` may be null. With `first` the pass starts at that record
// (the stakes appended since, when the archive has not changed).
TStakeCheckResult CheckStakes(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                              const TStakeLog* log, TCheckedStakeSink* sink,
                              const std::function<void(double percent)>& progress = {}, std::int64_t first = 0);

}  // namespace corvel
