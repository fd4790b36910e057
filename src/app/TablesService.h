#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "app/ArchiveService.h"
#include "app/Changes.h"
#include "app/CombinationsService.h"
#include "app/DataFolder.h"
#include "app/StakesService.h"
#include "app/TableInput.h"
#include "app/UiHooks.h"
#include "stakes/StakeRecord.h"
#include "stakes/TableRecord.h"

namespace corvel::app {

// The stake a regular makes for the next draw, with the regular advanced by
// it; the regular is stored back only once the stake is in the stakes file.
struct TTableStake {
    std::size_t Row = 0;
    TTableRec Advanced;
    TStakeRec Stake;
};

// The regular table stakes of the run, kept in CorvelLotto_6x48.ltb in list
// order. The list is in memory only while its tab is shown (Load, Unload);
// every change rewrites the file at once. A file that could not be read is
// never written over: until it is read whole, every change is refused.
// Changes are announced (Tables); the stakes they make go through the stakes
// service, which announces its own.
class TablesService {
  public:
    TablesService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes, const ArchiveService& archive,
                  const CombinationsService& combinations, StakesService& stakes);

    // Reads the file when it exists; false after a read error (reported),
    // which leaves the list empty.
    bool Load();
    // Drops the list from memory without saving (the tab hidden).
    void Unload();
    bool Loaded() const { return loaded_; }
    const std::vector<TTableRec>& Rows() const { return rows_; }

    // Rewrites the file from the list; false after an error (reported).
    bool Save();

    // The dialog's checks of a draft for `selectedCount` selected combinations.
    TCheck Check(const TTableDraft& draft, std::size_t selectedCount) const;
    // Adds the regulars of the draft (see MakeTables) and saves.
    bool Add(const TTableDraft& draft, std::span<const TSelectedComb> selected);
    // Deletes the rows (indexes into Rows(), any order) and saves; a row
    // outside the list changes nothing.
    bool Delete(std::vector<std::size_t> rows);

    // The stake of the row for the draw after the analysed window: kind
    // Regular, the regular's comment, the list size as the sample, the cost
    // as the profit. Nothing after an error (reported); the list is unchanged.
    std::optional<TTableStake> NextStake(std::size_t row) const;
    // Adds the stake (as the stake dialog may have changed it) for `draws`
    // draws; once it is in the file, the advanced regular is stored and
    // saved, then the stakes are checked.
    bool AddStake(const TTableStake& made, const TStakeRec& stake, int draws);
    // Both in one, the stake as the regular makes it.
    bool MakeStake(std::size_t row, int draws);

    // Stakes the rows over the last `count` draws (1..archive size - 1) as if
    // each were the next one: for the offsets count..1, one stake per row in
    // list order, each regular advanced with the offset it stakes. The first
    // failed append or a stop request ends it; the regulars keep what the
    // stakes made advanced them by and are saved, and the stakes are checked
    // once unless an append failed. The analysed window is left alone. True
    // when every offset was staked.
    bool Test(std::vector<std::size_t> rows, int count);

  private:
    TStakeRec StakeOf(const TTableRec& advanced, int offset) const;
    // Before every change: the list read (when it was not yet), and refused
    // (reported) while the file is not read whole.
    bool Ready();
    // The list replaced by `next` once it is written; false after an error.
    bool Store(std::vector<TTableRec> next, std::string_view status);

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    const ArchiveService& archive_;
    const CombinationsService& combinations_;
    StakesService& stakes_;
    std::vector<TTableRec> rows_;
    bool loaded_ = false;
    bool readable_ = true;  // the file was read whole (else it is never rewritten)
};

}  // namespace corvel::app
