#include "app/TableInput.h"

#include <algorithm>
#include <set>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "ratings/CommentKey.h"
#include "stakes/StakeInput.h"

namespace corvel::app {
namespace {

std::string KeyOf(const TTableRec& rec) { return CommentKey(rec.CommentBytes.data()); }

bool UsesTypedStart(const TTableDraft& draft, std::size_t selectedCount) {
    return !draft.UseLastDraw && selectedCount == 1;
}

}  // namespace

TTableDraft NewTableDraft(std::span<const TSelectedComb> selected) {
    TTableDraft draft;
    draft.Comment = texts::kTableDefaultComment.Str();
    if (selected.size() == 1) {
        TCombination sorted = selected.front().Numbers;
        std::sort(sorted.begin(), sorted.end());
        draft.StartText = TableCombinationText(sorted);
    }
    return draft;
}

TCheck CheckTableDraft(const TTableDraft& draft, std::size_t selectedCount, std::span<const TTableRec> existing) {
    if (UsesTypedStart(draft, selectedCount))
        if (const auto numbers = ParseStakeNumbers(draft.StartText); !numbers) return Failure(numbers.Error());
    if (TCheck comment = CheckStakeComment(draft.Comment); !comment) return comment;
    TTableRec probe;
    probe.SetComment(draft.Comment);
    const std::string key = KeyOf(probe);
    if (std::any_of(existing.begin(), existing.end(), [&](const TTableRec& r) { return KeyOf(r) == key; }))
        return Failure(texts::kTableCommentExists);
    if (draft.Step < -TTableRec::kMaxStep || draft.Step > TTableRec::kMaxStep)
        return Failure(Format(texts::kTableStepRange, {-TTableRec::kMaxStep, TTableRec::kMaxStep}));
    return {};
}

TExpected<std::vector<TTableRec>> MakeTables(const TTableDraft& draft, std::span<const TSelectedComb> selected,
                                             std::span<const TTableRec> existing) {
    if (TCheck check = CheckTableDraft(draft, selected.size(), existing); !check) return Failure(check.Error());
    TTableRec base;
    base.UseLastDraw = draft.UseLastDraw;
    base.Step = draft.Step;
    std::vector<TTableRec> made;
    if (draft.UseLastDraw || selected.size() == 1) {
        TTableRec rec = base;
        rec.SetComment(draft.Comment);
        if (UsesTypedStart(draft, selected.size()))
            rec.Start = *ParseStakeNumbers(draft.StartText);
        else if (selected.size() == 1)
            rec.Start = selected.front().Numbers;
        std::sort(rec.Start.begin(), rec.Start.end());
        rec.Current = rec.Start;
        made.push_back(rec);
    } else {
        for (const TSelectedComb& comb : selected) {
            TTableRec rec = base;
            rec.SetComment(draft.Comment + Format(" (%d)", {static_cast<std::int64_t>(comb.Position)}));
            rec.Start = comb.Numbers;
            std::sort(rec.Start.begin(), rec.Start.end());
            rec.Current = rec.Start;
            made.push_back(rec);
        }
    }
    // The numbered comments may meet an existing one, or each other once cut to 255 bytes.
    std::set<std::string> keys;
    for (const TTableRec& r : existing) keys.insert(KeyOf(r));
    for (const TTableRec& r : made)
        if (!keys.insert(KeyOf(r)).second) return Failure(texts::kTableCommentExists);
    return made;
}

}  // namespace corvel::app
