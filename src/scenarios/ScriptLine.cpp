#include "scenarios/ScriptLine.h"

#include <climits>
#include <vector>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

constexpr std::string_view kStartKeywords[kStartTypes] = {"FULL", "EXCL", "CURR"};
constexpr std::string_view kModeKeywords[kResultModes] = {"RAND", "FIRST", "LAST", "ALL", "SYSA",
                                                          "SYSC", "STOP",  "SKIP", "NONE"};

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoreCaseAscii(text.substr(0, prefix.size()), prefix);
}

std::string_view StartKeyword(int type) {
    return type >= 0 && type < kStartTypes ? kStartKeywords[type] : std::string_view(texts::kScriptBadValue);
}
std::string_view ModeKeyword(int mode) {
    return mode >= 0 && mode < kResultModes ? kModeKeywords[mode] : std::string_view(texts::kScriptBadValue);
}

}  // namespace

std::string ScriptLineWord(std::string_view line, int word) {
    const std::vector<std::string_view> words = SplitAny(line, "|", true);
    if (word < 1 || static_cast<std::size_t>(word) > words.size()) return {};
    return std::string(Trim(words[static_cast<std::size_t>(word - 1)]));
}

bool IsScriptSeparator(std::string_view line) { return Trim(line).empty(); }

TScriptOptions ParseScriptOptions(std::string_view text) {
    TScriptOptions o;
    const std::vector<std::string_view> parts = SplitAny(text, "#", false);
    if (parts.empty()) return o;
    const std::string_view start = Trim(parts[0]);
    for (int t = 0; t < kStartTypes; ++t)
        if (StartsWithIgnoreCase(start, kStartKeywords[t])) {
            o.StartType = static_cast<std::uint8_t>(t);
            break;
        }
    if (const auto colon = start.find(':'); colon != std::string_view::npos) {
        const auto n = ToInt64(Trim(start.substr(colon + 1)));
        if (n && *n >= INT32_MIN && *n <= INT32_MAX) o.ExcludeDraws = static_cast<std::int32_t>(*n);
    }
    if (parts.size() > 1) {
        const std::string_view mode = Trim(parts[1]);
        for (int m = 0; m < kResultModes; ++m)
            if (EqualsIgnoreCaseAscii(mode, kModeKeywords[m])) {
                o.ResultMode = static_cast<std::uint8_t>(m);
                break;
            }
    }
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const std::string_view flag = Trim(parts[i]);
        if (EqualsIgnoreCaseAscii(flag, "CLR")) o.ClearStakes = true;
        if (EqualsIgnoreCaseAscii(flag, "NEX")) o.NewOnly = true;
    }
    return o;
}

std::string FormatScriptOptions(const TScriptOptions& o) {
    std::string text = std::string(StartKeyword(o.StartType)) + ":" + std::to_string(o.ExcludeDraws) + "#" +
                       std::string(ModeKeyword(o.ResultMode));
    if (o.ClearStakes) text += "#CLR";
    if (o.NewOnly) text += "#NEX";
    return text;
}

std::string FormatScriptOptionsShort(const TScriptOptions& o) {
    std::string text(StartKeyword(o.StartType));
    if (o.StartType == static_cast<std::uint8_t>(TStartType::Exclude)) text += ":" + std::to_string(o.ExcludeDraws);
    text += "#" + std::string(ModeKeyword(o.ResultMode));
    if (o.NewOnly) text += "#NEX";
    return text;
}

std::string_view StartTypeEditorText(int type) {
    static const i18n::TextId* const kTexts[kStartTypes] = {
        &texts::kScriptStartFullEditor, &texts::kScriptStartExcludeEditor, &texts::kScriptStartCurrentEditor};
    return type >= 0 && type < kStartTypes ? std::string_view(*kTexts[type]) : std::string_view(texts::kScriptBadValue);
}

std::string_view ResultModeEditorText(int mode) {
    static const i18n::TextId* const kTexts[kResultModes] = {
        &texts::kScriptModeRandomEditor, &texts::kScriptModeFirstEditor,     &texts::kScriptModeLastEditor,
        &texts::kScriptModeAllEditor,    &texts::kScriptModeSystemAllEditor, &texts::kScriptModeSystemCombsEditor,
        &texts::kScriptModeStopEditor,   &texts::kScriptModeSkipEditor,      &texts::kScriptModeNoneEditor};
    return mode >= 0 && mode < kResultModes ? std::string_view(*kTexts[mode])
                                            : std::string_view(texts::kScriptBadValue);
}

std::string StartTypeListText(int type, int excludeDraws) {
    switch (type) {
        case 0:
            return texts::kScriptStartFullList.Str();
        case 1:
            return Format(texts::kScriptStartExcludeList, {excludeDraws});
        case 2:
            return texts::kScriptStartCurrentList.Str();
    }
    return texts::kScriptBadValue.Str();
}

std::string_view ResultModeListText(int mode) {
    static const i18n::TextId* const kTexts[kResultModes] = {
        &texts::kScriptModeRandomList, &texts::kScriptModeFirstList,     &texts::kScriptModeLastList,
        &texts::kScriptModeAllList,    &texts::kScriptModeSystemAllList, &texts::kScriptModeSystemCombsList,
        &texts::kScriptModeStopList,   &texts::kScriptModeSkipList,      &texts::kScriptModeNoneList};
    return mode >= 0 && mode < kResultModes ? std::string_view(*kTexts[mode])
                                            : std::string_view(texts::kScriptBadValue);
}

std::string ScriptOptionsText(const TScriptOptions& o) {
    std::string text =
        StartTypeListText(o.StartType, o.ExcludeDraws) + "; " + std::string(ResultModeListText(o.ResultMode));
    if (o.ClearStakes) text += "; " + texts::kScriptClearStakesList.Str();
    text += "; " + (o.NewOnly ? texts::kScriptNewOnlyList.Str() : texts::kScriptAllStakesList.Str());
    return text;
}

std::string BuildScriptLine(const TScriptOptions& options, const TScriptFilters& filters, std::string_view comment) {
    std::string line = FormatScriptOptions(options);
    for (const std::string& f : filters) {
        const std::string_view text = Trim(f);
        line += "|";
        line += text.empty() ? std::string_view(" ") : text;
    }
    if (!Trim(comment).empty()) {
        line += "|";
        line += Trim(comment);
    }
    return line;
}

TScriptFilters ScriptLineFilters(std::string_view line) {
    TScriptFilters filters;
    for (int i = 1; i <= kScriptFilters; ++i) filters[static_cast<std::size_t>(i - 1)] = ScriptLineFilter(line, i);
    return filters;
}

TCheck CheckScriptField(std::string_view text) {
    if (text.find('|') != std::string_view::npos || text.find('@') != std::string_view::npos)
        return Failure(texts::kScriptFieldBadCharacter);
    return {};
}

}  // namespace corvel
