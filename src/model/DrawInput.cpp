#include "model/DrawInput.h"

#include "i18n/Texts.h"
#include "model/TextUtil.h"

namespace corvel {

TExpected<TDrawNumbersInput> ParseDrawNumbers(std::string_view text) {
    auto words = SplitAny(text, ",;", true);
    // A piece of only spaces between separators is an empty word as well.
    std::erase_if(words, [](std::string_view w) { return Trim(w).empty(); });
    if (words.size() != kNumbersPerDraw + kExtraPerDraw) return Failure(texts::kBadCombination);

    TDrawNumbersInput input;
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto v = ToInt64(words[i]);
        if (!v || *v < kMinNumber || *v > kMaxNumber) return Failure(texts::kBadCombination);
        auto n = static_cast<std::uint8_t>(*v);
        if (i < kNumbersPerDraw) {
            for (std::size_t j = 0; j < i; ++j)
                if (input.Numbers[j] == n) return Failure(texts::kBadCombination);
            input.Numbers[i] = n;
        } else {
            input.Extra[i - kNumbersPerDraw] = n;
        }
    }
    return input;
}

std::string FormatDrawNumbers(const TDrawRec& rec) {
    std::string text;
    for (auto n : rec.Numbers) text += std::to_string(n) + ';';
    text += std::to_string(rec.Extra[0]) + ';' + std::to_string(rec.Extra[1]);
    return text;
}

}  // namespace corvel
