#include "stakes/StakeInput.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stakes/StakeRecord.h"

namespace corvel {

TExpected<TCombination> ParseStakeNumbers(std::string_view text) {
    auto words = SplitAny(text, ",;", true);
    // A piece of only spaces between separators is an empty word as well.
    std::erase_if(words, [](std::string_view w) { return Trim(w).empty(); });
    if (words.size() != kNumbersPerDraw) return Failure(texts::kBadCombination);
    TCombination numbers{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto v = ToInt64(Trim(words[i]));
        if (!v || *v < kMinNumber || *v > kMaxNumber) return Failure(texts::kBadCombination);
        numbers[i] = static_cast<std::uint8_t>(*v);
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) return Failure(texts::kBadCombination);
    return numbers;
}

long long StakeNumbersSum(std::string_view text) {
    long long sum = 0;
    for (std::string_view word : SplitAny(text, ",;", true)) {
        const auto v = ToInt64(Trim(word));
        // Beyond the range of any stake number a word only makes the sum absurd.
        if (v && *v >= -1'000'000 && *v <= 1'000'000) sum += *v;
    }
    return sum;
}

TCheck CheckStakeComment(std::string_view comment) {
    if (Trim(comment).empty()) return Failure(texts::kStakeCommentRequired);
    return {};
}

std::uint64_t StakesFileGrowth(std::uint64_t stakes, int draws) {
    if (draws < 1) return 0;
    const std::uint64_t records = stakes * static_cast<std::uint64_t>(draws) * (draws >= 2 ? 2 : 1);
    return records * TStakeRec::kFileSize;
}

std::string ByteSizeText(std::uint64_t bytes) {
    if (bytes < 1000) return Format(texts::kSizeBytes, {bytes});
    const i18n::TextId* units[] = {&texts::kSizeKilobytes, &texts::kSizeMegabytes, &texts::kSizeGigabytes};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (unit + 1 < std::size(units) && value >= 999.95) {
        value /= 1000.0;
        ++unit;
    }
    return Format(*units[unit], {value});
}

}  // namespace corvel
