#include "app/StakesService.h"

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "ratings/RatingGraphs.h"

namespace corvel::app {

StakesService::StakesService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes,
                             const ArchiveService& archive, const StatisticsService& statistics)
    : files_(files),
      hooks_(hooks),
      changes_(changes),
      archive_(archive),
      statistics_(statistics),
      file_(files.Stakes()) {
    // New draws check the stakes that waited for them.
    subscription_ = changes_.Subscribe([this](EChange change) {
        if (change == EChange::Archive && file_.IsOpen()) Check();
    });
}

StakesService::~StakesService() { changes_.Unsubscribe(subscription_); }

bool StakesService::Open() {
    std::vector<std::string> warnings;
    const bool ok =
        RunOperation(hooks_, {texts::kStakesLoading, texts::kStakesReadError}, [&] { warnings = file_.Open(); });
    for (const std::string& w : warnings) hooks_.Warning(w);
    changes_.Notify(EChange::Stakes);
    return ok;
}

TStakeRec StakesService::NewStake(const TCombination& numbers, std::int32_t sample) const {
    TStakeRec rec;
    rec.Kind = TStakeKind::Manual;
    rec.Draw = NextDrawNumber(archive_.Draws(), archive_.Offset());
    rec.Sample = sample;
    rec.Stake.Count = kNumbersPerDraw;
    TCombination sorted = numbers;
    SortNumbers(sorted);
    for (std::size_t i = 0; i < sorted.size(); ++i) rec.Stake.Values[i] = sorted[i];
    rec.Hits.Count = -1;
    rec.Profit = StakeProfit(rec.Stake.Count, -1, statistics_.Registry().Settings.Config);
    rec.SetComment(texts::kStakeManualComment);
    return rec;
}

bool StakesService::Changing(std::string_view status, std::string_view failure, const std::function<void()>& change) {
    const bool ok = RunOperation(hooks_, {status, failure}, change);
    changes_.Notify(EChange::Stakes);
    return ok;
}

bool StakesService::Add(const TStakeRec& rec, int draws) { return Add(std::span(&rec, 1), draws); }

bool StakesService::Add(std::span<const TStakeRec> recs, int draws) { return Append(recs, draws) && Check() >= 0; }

bool StakesService::Append(std::span<const TStakeRec> recs, int draws) {
    return Changing(
        recs.size() > 1 ? std::string_view(texts::kStakesCreating) : std::string_view(texts::kStakeCreating),
        texts::kStakeAppendError, [&] { file_.Append(recs, draws); });
}

bool StakesService::AddGenerated(std::int64_t count, const std::function<TStakeRec(std::int64_t)>& make, int draws,
                                 bool check) {
    bool completed = false;
    const bool ok = Changing(texts::kStakesCreating, texts::kStakeAppendError, [&] {
        completed = file_.AppendGenerated(count, make, draws, [&](std::int64_t done) {
            hooks_.ShowStatus(Format(texts::kStakesCreatingProgress,
                                     {100.0 * static_cast<double>(done) / static_cast<double>(count)}));
            hooks_.ProcessEvents();
            return !hooks_.StopRequested();
        });
    });
    return ok && completed && (!check || Check() >= 0);
}

bool StakesService::DeleteRange(std::int64_t first, std::int64_t last) {
    return Changing(texts::kStakesDeleting, texts::kStakeDeleteError, [&] { file_.DeleteRange(first, last); });
}

bool StakesService::DeleteRecords(std::vector<std::int64_t> indexes) {
    return Changing(texts::kStakesDeleting, texts::kStakeDeleteError, [&] { file_.DeleteRecords(std::move(indexes)); });
}

bool StakesService::DeleteByCondition(TStakeCondition condition, int value) {
    return Changing(texts::kStakesDeleting, texts::kStakeDeleteError,
                    [&] { file_.DeleteByCondition(condition, value); });
}

bool StakesService::Clear() {
    return Changing(texts::kStakesDeleting, texts::kStakeDeleteError, [&] { file_.Clear(); });
}

TStakesSummary StakesService::Summary() const { return SummarizeStakes(file_, statistics_.Registry().Settings.Config); }

std::optional<TGraph> StakesService::DrawProfitsGraph() const {
    std::optional<TGraph> graph;
    RunOperation(hooks_, {texts::kGraphsCreating, {}}, [&] { graph = corvel::DrawProfitsGraph(file_); });
    return graph;
}

std::int64_t StakesService::Check(std::int64_t first) {
    TStakeCheckResult result;
    const TStakeLog log(files_.Folder);
    const bool ok = RunOperation(hooks_, {texts::kStakesChecking, texts::kStakesCheckError}, [&] {
        result = CheckStakes(
            file_, archive_.Draws(), statistics_.Registry().Settings.Config, LogEnabled ? &log : nullptr, sink_,
            [&](double percent) {
                hooks_.ShowStatus(Format(texts::kStakesCheckingProgress, {percent}));
                hooks_.ProcessEvents();
            },
            first);
    });
    if (sink_) sink_->PassEnded();
    if (!result.LogError.empty()) hooks_.Error(result.LogError);
    if (result.Damaged > 0) hooks_.Warning(Format(texts::kStakesCheckedWithDamage, {result.Checked, result.Damaged}));
    if (result.Checked > 0) changes_.Notify(EChange::Stakes);
    return ok ? result.Checked : -1;
}

}  // namespace corvel::app
