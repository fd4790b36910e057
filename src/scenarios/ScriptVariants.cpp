#include "scenarios/ScriptVariants.h"

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/StatList.h"

namespace corvel {

TScriptVariants::TScriptVariants(const TScriptFilters& filters, const TStatList& list) {
    try {
        for (const std::string& field : filters) {
            const std::string_view text = Trim(field);
            if (text.empty()) continue;
            items_.emplace_back(ParseFilterItem(text, list), list);
        }
    } catch (const ETooManyFilterParts& e) {
        throw ETooManyScriptVariants(ErrorReport(texts::kTooManyScriptVariants, e.what()));
    }
    if (items_.empty()) return;
    std::uint64_t count = 1;
    for (const TFilterExpansion& item : items_) {
        // count x parts <= the cap, tested without multiplying.
        if (item.Count() > kMaxScriptVariants / count)
            throw ETooManyScriptVariants(ErrorReport(texts::kTooManyScriptVariants,
                                                     Format(texts::kScriptVariantsOverCap, {kMaxScriptVariants})));
        count *= item.Count();
    }
    count_ = count;
}

TFilterRec TScriptVariants::Variant(std::uint64_t k) const {
    if (k >= count_) throw EInvalidArgument(Format(texts::kNoScriptVariant, {k + 1, count_}));
    TFilterRec rec{};
    // Mixed radix with the last definition as the lowest digit.
    for (std::size_t d = items_.size(); d-- > 0;) {
        const std::uint64_t parts = items_[d].Count();
        rec[d] = items_[d].Part(static_cast<std::size_t>(k % parts));
        k /= parts;
    }
    return rec;
}

}  // namespace corvel
