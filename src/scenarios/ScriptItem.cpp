#include "scenarios/ScriptItem.h"

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/FilterDefinition.h"
#include "stats/StatList.h"

namespace corvel {

TScriptItem ParseScriptItem(std::string_view line) {
    return {ParseScriptOptions(ScriptLineOptions(line)), ScriptLineFilters(line), ScriptLineComment(line)};
}

TExpected<std::string> CheckedScriptLine(const TScriptItem& item, const TStatList& list) {
    if (auto ok = CheckScriptField(item.Comment); !ok) return Failure(ok.Error());
    TScriptFilters canonical;
    for (std::size_t i = 0; i < item.Filters.size(); ++i) {
        const std::string_view text = Trim(item.Filters[i]);
        if (text.empty()) continue;
        const int number = static_cast<int>(i) + 1;
        if (auto ok = CheckScriptField(text); !ok)
            return Failure(Format(texts::kScriptFilterError, {number, ok.Error()}));
        const TFilterItem filter = ParseFilterItem(text, list);
        if (filter.Method < 0) {
            const std::string_view code =
                Trim(std::string_view(filter.MethodText).substr(0, filter.MethodText.find(':')));
            return Failure(
                Format(texts::kScriptFilterError, {number, code.empty() ? Format(texts::kBadFilterDefinition, {text})
                                                                        : Format(texts::kUnknownMethod, {code})}));
        }
        if (const TFilterItemCheck check = CheckFilterItem(filter, list); !check.Error.empty())
            return Failure(Format(texts::kScriptFilterError, {number, check.Error}));
        canonical[i] = FilterItemText(filter, list);
    }
    return BuildScriptLine(item.Options, canonical, item.Comment);
}

std::string ScriptFilterText(std::string_view filter, const TStatList& list) {
    if (Trim(filter).empty()) return {};
    return FilterItemText(ParseFilterItem(filter, list), list);
}

}  // namespace corvel
