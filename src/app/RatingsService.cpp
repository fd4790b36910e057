#include "app/RatingsService.h"

#include "app/ScenarioService.h"
#include "app/StakesService.h"
#include "app/StatisticsService.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel::app {

RatingsService::RatingsService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes)
    : files_(files), hooks_(hooks), changes_(changes) {}

void RatingsService::Load() {
    if (loaded_) return;
    loaded_ = true;
    const std::filesystem::path file = files_.Ratings();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;
    std::string error;
    RunOperation(hooks_, {texts::kRatingsLoading, {}}, [&] {
        try {
            table_.Load(file);
        } catch (const std::exception& e) {
            error = e.what();
        }
    });
    if (error.empty()) {
        SortAndSave({}, texts::kRatingsWriteError);
        return;
    }
    // Not written over: what could not be read stays under another name.
    std::string message = ErrorReport(texts::kRatingsReadError, error);
    if (std::string aside = KeepUnreadableFileAside(file, texts::kRatingsSetAside); !aside.empty())
        message += "\r\r" + aside;
    hooks_.Warning(message);
}

bool RatingsService::SortAndSave(std::string_view status, std::string_view failure) {
    const bool ok = RunOperation(hooks_, {status, failure}, [&] {
        table_.Sort(SortColumn, Descending);
        hooks_.ShowStatus(texts::kRatingsSaving);
        try {
            table_.Save(files_.Ratings());
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(texts::kRatingsWriteError, e.what()));
        }
        hooks_.ShowStatus("");
    });
    changes_.Notify(EChange::Ratings);
    return ok;
}

bool RatingsService::Sort(int column, bool descending) {
    Load();
    SortColumn = column;
    Descending = descending;
    return SortAndSave(texts::kRatingsSorting, {});
}

bool RatingsService::Rebuild(const StakesService& stakes) {
    Load();
    std::int64_t unrated = 0;
    TRatingsTable rebuilt;
    const bool read = RunOperation(hooks_, {texts::kRatingsUpdating, texts::kRatingsRebuildError},
                                   [&] { unrated = rebuilt.Rebuild(stakes.File()); });
    if (!read) return false;
    table_ = std::move(rebuilt);
    if (unrated > 0) hooks_.Warning(Format(texts::kRatingsUnrated, {unrated}));
    return SortAndSave({}, {});
}

bool RatingsService::ExportCsv(const std::filesystem::path& file) const {
    return RunOperation(hooks_, {texts::kRatingsCsvExporting, {}}, [&] {
        try {
            WriteFileAtomically(file, table_.CsvText());
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(Format(texts::kScriptFileWriteError, {file.string()}), e.what()));
        }
    });
}

int RatingsService::AddToScenario(const std::vector<std::size_t>& rows, const StatisticsService& statistics,
                                  ScenarioService& scenario) {
    int added = 0;
    hooks_.ShowStatus(texts::kRatingsToScriptStatus);
    for (std::size_t row : rows) {
        if (row >= table_.Count()) continue;
        auto line = RatingToScriptLine(table_.Rows()[row].Comment(), statistics.Registry());
        if (!line) {
            hooks_.Error(line.Error());
            continue;
        }
        if (scenario.Add(*line)) ++added;
    }
    hooks_.ShowStatus("");
    return added;
}

std::vector<TRatingRec> RatingsService::Selected(const std::vector<std::size_t>& rows) const {
    std::vector<TRatingRec> selected;
    for (std::size_t row : rows)
        if (row < table_.Count()) selected.push_back(table_.Rows()[row]);
    return selected;
}

std::optional<TGraph> RatingsService::StakesGraph(const StakesService& stakes, const std::vector<std::size_t>& rows,
                                                  TStakeGraphValue value) const {
    std::optional<TGraph> graph;
    RunOperation(hooks_, {texts::kGraphsCreating, {}},
                 [&] { graph = StakesOfRowsGraph(stakes.File(), Selected(rows), value); });
    return graph;
}

std::optional<TGraph> RatingsService::MatchCountsGraph(const std::vector<std::size_t>& rows) const {
    std::optional<TGraph> graph;
    RunOperation(hooks_, {texts::kGraphsCreating, {}}, [&] { graph = corvel::MatchCountsGraph(Selected(rows)); });
    return graph;
}

void RatingsService::AddCheckedStake(const TStakeRec& rec) {
    Load();
    if (!table_.Add(rec)) ++unrated_;
    added_ = true;
}

void RatingsService::PassEnded() {
    if (!added_) return;
    added_ = false;
    SortAndSave({}, {});
    if (unrated_ > 0) hooks_.Warning(Format(texts::kRatingsUnrated, {unrated_}));
    unrated_ = 0;
}

}  // namespace corvel::app
