#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/CombsArray.h"
#include "model/DrawRecord.h"
#include "model/Progress.h"

// The current combination list with its one-level undo copy, and the edits
// that cut the list down by draws or by rows.
namespace corvel {

// Owns the current list and the undo copy, both allocated once at full size.
// A cutting step first saves the current list into the undo copy and then
// builds the new current list from it, so Undo always returns to the list as
// it was before the last step. An undo copy with no combinations means there
// is nothing to undo.
class TCombsList {
  public:
    explicit TCombsList(std::size_t capacity = kAllCombinations);

    TCombsArray& Current() { return current_; }
    const TCombsArray& Current() const { return current_; }
    TCombsArray& UndoCopy() { return undo_; }
    const TCombsArray& UndoCopy() const { return undo_; }

    bool CanUndo() const { return !undo_.Empty(); }
    void ForgetUndo() { undo_.Clear(); }

    // Copies the current list into the undo copy; the overload with progress
    // shows the status text while it runs.
    void SaveUndo();
    void SaveUndo(TProgress& progress);
    // Copies the undo copy back into the current list, then forgets it.
    void Undo();
    void Undo(TProgress& progress);

    // Saves the undo copy, then removes every combination whose six numbers,
    // as a set, are those of one of the last `n` draws of the analysed window
    // (the window ends `offset` draws before the newest). The order is kept.
    // Returns how many were removed.
    std::size_t ExcludeLastDraws(const TDrawsArray& draws, int offset, int n, TProgress& progress);

    // Saves the undo copy, then removes the rows given (any order; repeated
    // and missing rows are ignored). Returns how many were removed.
    std::size_t DeleteRows(std::span<const std::size_t> rows, TProgress& progress);

  private:
    TCombsArray current_;
    TCombsArray undo_;
};

// The six numbers sorted and packed into one word: two combinations hold the
// same numbers, in whatever order, exactly when their keys are equal.
std::uint64_t SortedCombinationKey(const TCombination& c);

// How many of the numbers 1..48 occur in the list (values outside 1..48 are
// not numbers of the game and are not counted).
int CountUniqueNumbers(const TCombsArray& list);

// Archive indices of the draws holding the combination's numbers, newest
// first, at most `limit` of them.
std::vector<int> FindCombinationInArchive(const TCombination& c, const TDrawsArray& draws, std::size_t limit = 26);

// The information text about where the combination was drawn.
std::string CombinationInArchiveText(const TCombination& c, const TDrawsArray& draws);

}  // namespace corvel
