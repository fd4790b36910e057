#include "stats/families/NumberGroups.h"

#include <climits>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {

std::string GroupTupleText(const TStatDrawRec& value, std::size_t size) {
    std::string text;
    for (std::size_t k = 0; k < size && k < value.Key.size(); ++k) {
        if (k) text += ':';
        text += std::to_string(value.Key[k]);
    }
    return text;
}

std::string GroupCountText(const TNumberGroups& groups, const TStatDrawRec& value) {
    return Format("%0:s x %1:d", {groups.TextOf(value.Key[0]), value.Key[1]});
}

std::string GroupPatternText(const TNumberGroups& groups, const TStatDrawRec& value) {
    const std::uint64_t pattern = PackKey(value.Key);
    std::string letters;
    for (int bit = groups.Last - 1; bit >= 0; --bit)
        letters += (pattern >> bit) & 1 ? texts::kStatPatternSet.Str() : texts::kStatPatternClear.Str();
    return Format("%s (%.3d)", {letters, static_cast<long long>(pattern)});
}

int GroupPatternFromText(std::string_view text) {
    std::uint64_t pattern = 0;
    for (std::string_view ch : Utf8Characters(Trim(text))) {
        if (ch == " ") break;
        pattern = pattern * 2 + (ch == texts::kStatPatternSet.Str() ? 1 : 0);
        // A pattern wider than an integer has no integer value.
        if (pattern > static_cast<std::uint64_t>(INT_MAX)) return 0;
    }
    return static_cast<int>(pattern);
}

}  // namespace corvel
