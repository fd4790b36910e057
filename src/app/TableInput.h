#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "model/Expected.h"
#include "stakes/TableRecord.h"

// Adding regulars: what the person gives (the dialog's fields, or the
// command line's options), checked and turned into records.
namespace corvel::app {

struct TTableDraft {
    std::string Comment;  // UTF-8; required, at most 64 characters
    bool UseLastDraw = false;
    std::string StartText;  // the start numbers as typed, read with a fixed start and one combination
    int Step = 1;           // -48..48
};

// A combination selected in the combination list, with its place there
// counted from 1.
struct TSelectedComb {
    std::size_t Position = 0;
    TCombination Numbers{};
};

// The draft as the dialog opens on it: the default comment, step 1, and the
// one selected combination (if exactly one is) as the start.
TTableDraft NewTableDraft(std::span<const TSelectedComb> selected);

// The dialog's checks on OK, in its order: the start numbers (with a fixed
// start and exactly one selected combination: six different numbers 1..48,
// texts::kBadCombination), the comment (required, at most 64 characters, not
// one of the existing regulars' comments, letter case aside, as the ratings
// tell comments apart) and the step.
TCheck CheckTableDraft(const TTableDraft& draft, std::size_t selectedCount, std::span<const TTableRec> existing);

// The regulars the draft adds after the checks: one with UseLastDraw or a
// single selected combination (Current = Start, the typed start numbers
// ascending); else one per selected combination in list order, each comment
// followed by " (position)"; none with a fixed start and nothing selected.
// Every comment made must be new among the regulars.
TExpected<std::vector<TTableRec>> MakeTables(const TTableDraft& draft, std::span<const TSelectedComb> selected,
                                             std::span<const TTableRec> existing);

}  // namespace corvel::app
