#include "combs/NumberSet.h"

#include "model/TextUtil.h"

namespace corvel {

TNumberSet ParseUserNumbers(std::string_view text) {
    TNumberSet set;
    for (std::string_view word : SplitAny(text, ",;", true)) {
        if (Trim(word).empty()) continue;
        set.Add(ToInt64(word).value_or(0));
    }
    return set;
}

}  // namespace corvel
