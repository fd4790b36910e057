#include "app/TablesService.h"

#include <algorithm>
#include <system_error>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel::app {

TablesService::TablesService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes,
                             const ArchiveService& archive, const CombinationsService& combinations,
                             StakesService& stakes)
    : files_(files),
      hooks_(hooks),
      changes_(changes),
      archive_(archive),
      combinations_(combinations),
      stakes_(stakes) {}

bool TablesService::Load() {
    loaded_ = true;
    readable_ = true;
    rows_.clear();
    const std::filesystem::path file = files_.Tables();
    std::error_code ec;
    bool ok = true;
    if (std::filesystem::exists(file, ec) || std::filesystem::is_symlink(file, ec)) {
        std::vector<TTableRec> read;
        ok = RunOperation(hooks_, {texts::kTablesLoading, texts::kTablesReadError},
                          [&] { read = ReadTablesFile(file); });
        if (ok)
            rows_ = std::move(read);
        else
            readable_ = false;
    }
    changes_.Notify(EChange::Tables);
    return ok;
}

void TablesService::Unload() {
    rows_.clear();
    rows_.shrink_to_fit();
    loaded_ = false;
    readable_ = true;
    changes_.Notify(EChange::Tables);
}

bool TablesService::Ready() {
    if (!loaded_) Load();
    if (readable_) return true;
    hooks_.Error(texts::kTablesNotReadWhole);
    return false;
}

bool TablesService::Store(std::vector<TTableRec> next, std::string_view status) {
    const bool ok = RunOperation(hooks_, {status, {}}, [&] {
        hooks_.ShowStatus(texts::kTablesSaving);
        try {
            WriteTablesFile(files_.Tables(), next);
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(texts::kTablesWriteError, e.what()));
        }
    });
    if (!ok) return false;
    rows_ = std::move(next);
    changes_.Notify(EChange::Tables);
    return true;
}

bool TablesService::Save() { return Ready() && Store(rows_, {}); }

TCheck TablesService::Check(const TTableDraft& draft, std::size_t selectedCount) const {
    return CheckTableDraft(draft, selectedCount, rows_);
}

bool TablesService::Add(const TTableDraft& draft, std::span<const TSelectedComb> selected) {
    if (!Ready()) return false;
    auto made = MakeTables(draft, selected, rows_);
    if (!made) {
        hooks_.Error(made.Error());
        return false;
    }
    std::vector<TTableRec> next = rows_;
    next.insert(next.end(), made->begin(), made->end());
    return Store(std::move(next), texts::kTablesCreating);
}

bool TablesService::Delete(std::vector<std::size_t> rows) {
    if (!Ready()) return false;
    for (std::size_t row : rows)
        if (row >= rows_.size()) {
            hooks_.Error(Format(texts::kDrawIndexNotFound, {static_cast<std::int64_t>(row)}));
            return false;
        }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<TTableRec> next;
    next.reserve(rows_.size() - rows.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!std::binary_search(rows.begin(), rows.end(), i)) next.push_back(rows_[i]);
    return Store(std::move(next), texts::kTablesDeleting);
}

TStakeRec TablesService::StakeOf(const TTableRec& advanced, int offset) const {
    TStakeRec rec =
        stakes_.NewStake(advanced.Current, static_cast<std::int32_t>(combinations_.List().Current().Count()));
    rec.Kind = TStakeKind::Regular;
    rec.Draw = NextDrawNumber(archive_.Draws(), offset);
    rec.CommentBytes = advanced.CommentBytes;
    return rec;
}

std::optional<TTableStake> TablesService::NextStake(std::size_t row) const {
    std::optional<TTableStake> made;
    RunOperation(hooks_, {{}, texts::kStakeAppendError}, [&] {
        if (row >= rows_.size())
            throw ECorvelError(Format(texts::kDrawIndexNotFound, {static_cast<std::int64_t>(row)}));
        TTableStake stake{row, rows_[row], {}};
        NextTableCombination(stake.Advanced, archive_.Draws(), archive_.Offset());
        stake.Stake = StakeOf(stake.Advanced, archive_.Offset());
        made = std::move(stake);
    });
    return made;
}

bool TablesService::AddStake(const TTableStake& made, const TStakeRec& stake, int draws) {
    if (!Ready()) return false;
    if (made.Row >= rows_.size()) {
        hooks_.Error(Format(texts::kDrawIndexNotFound, {static_cast<std::int64_t>(made.Row)}));
        return false;
    }
    if (!stakes_.Append(std::span(&stake, 1), draws)) return false;
    std::vector<TTableRec> next = rows_;
    next[made.Row] = made.Advanced;
    const bool stored = Store(std::move(next), {});
    return stakes_.Check() >= 0 && stored;
}

bool TablesService::MakeStake(std::size_t row, int draws) {
    const std::optional<TTableStake> made = NextStake(row);
    return made && AddStake(*made, made->Stake, draws);
}

bool TablesService::Test(std::vector<std::size_t> rows, int count) {
    if (!Ready()) return false;
    // List order, each regular once.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        hooks_.Error(texts::kTablesNoneSelected);
        return false;
    }
    for (std::size_t row : rows)
        if (row >= rows_.size()) {
            hooks_.Error(Format(texts::kDrawIndexNotFound, {static_cast<std::int64_t>(row)}));
            return false;
        }
    const int size = static_cast<int>(archive_.Draws().size());
    if (count < 1 || count > size - 1) {
        hooks_.Error(Format(texts::kScriptTestCountRange, {std::max(size - 1, 0)}));
        return false;
    }
    BusyGuard busy(hooks_);
    // The offsets are given to the stakes directly: the analysed window never
    // moves, so nothing is recomputed while the test runs and nothing is left
    // to restore after it.
    std::vector<TTableRec> next = rows_;
    bool appended = true;
    bool stopped = false;
    bool advanced = false;
    for (int o = count; o >= 1; --o) {
        hooks_.ShowStatus(Format(texts::kTablesStakingProgress, {count - o + 1, count}));
        hooks_.ProcessEvents();
        if (hooks_.StopRequested()) {
            stopped = true;
            break;
        }
        std::vector<TTableRec> step = next;
        std::vector<TStakeRec> stakes;
        const bool made = RunOperation(hooks_, {texts::kTablesStaking, texts::kStakeAppendError}, [&] {
            for (std::size_t row : rows) {
                NextTableCombination(step[row], archive_.Draws(), o);
                stakes.push_back(StakeOf(step[row], o));
            }
        });
        if (!made || !stakes_.Append(stakes, 1)) {
            appended = false;
            break;
        }
        next = std::move(step);
        advanced = true;
    }
    hooks_.ShowStatus("");
    const bool stored = !advanced || Store(std::move(next), {});
    const bool checked = !appended || !advanced || stakes_.Check() >= 0;
    return appended && !stopped && stored && checked;
}

}  // namespace corvel::app
