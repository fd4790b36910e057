#include "views/Details.h"

#include "i18n/Texts.h"
#include "stats/CustomStat.h"

namespace corvel {
namespace {

// Every listed graph method of the registry, in registry order.
template <typename Value>
void AddMethodRows(const TStatList& list, std::vector<TDetailRow>& rows, Value value) {
    for (int i = 0; i < list.Count(); ++i) {
        const TStatClass& cls = *list.Item(i).StatClass;
        if (!cls.Graph || !cls.Listed) continue;
        const auto stat = list.CreateStat(i);
        rows.push_back({stat->GetDisplayName(), std::to_string(value(*stat))});
    }
}

}  // namespace

std::vector<TDetailRow> DrawDetails(const TStatList& list, const TDrawsArray& draws, int index, bool sorted) {
    std::vector<TDetailRow> rows;
    if (index < 0 || index >= static_cast<int>(draws.size())) return rows;
    const TDrawRec& draw = draws[static_cast<std::size_t>(index)];
    rows.push_back({texts::kDetailsDrawNumber.Str(), std::to_string(draw.Number)});
    rows.push_back({texts::kDetailsDrawDate.Str(), draw.DateText()});
    AddMethodRows(list, rows, [&](TCustomStat& stat) {
        stat.SetContext(index, sorted);
        return stat.DrawGraphValue(index);
    });
    return rows;
}

std::vector<TDetailRow> CombinationDetails(const TStatList& list, const TDrawsArray& draws, const TCombination& comb,
                                           int offset, bool sorted) {
    std::vector<TDetailRow> rows;
    const int last = static_cast<int>(draws.size()) - 1 - std::max(offset, 0);
    AddMethodRows(list, rows, [&](TCustomStat& stat) {
        stat.SetContext(last, sorted);
        return stat.CombGraphValue(comb);
    });
    return rows;
}

}  // namespace corvel
