#include "stakes/StakeInput.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stakes/StakeRecord.h"

namespace corvel {

TExpected<TCombination> ParseStakeNumbers(std::string_view text) {
    auto words = SplitAny(text, ",;", true);
    std::erase_if(words, [](std::string_view w) { return Trim(w).empty(); });
    if (words.size() != kNumbersPerDraw) return Failure(texts::kBadCombination);
    TCombination numbers{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        auto v = ToInt64(words[i]);
        if (!v || *v < kMinNumber || *v > kMaxNumber) return Failure(texts::kBadCombination);
        numbers[i] = static_cast<std::uint8_t>(*v);
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) return Failure(texts::kBadCombination);
    return numbers;
}

TCheck CheckStakeComment(std::string_view utf8) {
    if (Trim(utf8).empty()) return Failure(texts::kStakeCommentRequired);
    // Characters, not bytes: every byte that does not continue a UTF-8 sequence starts one.
    const auto chars = std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; });
    if (static_cast<std::size_t>(chars) > kMaxStakeCommentChars)
        return Failure(Format(texts::kStakeCommentTooLong, {static_cast<std::int64_t>(kMaxStakeCommentChars)}));
    return {};
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

std::uint64_t StakesFileGrowth(std::uint64_t stakes, int draws) {
    if (draws < 1) return 0;
    const std::uint64_t records = stakes * static_cast<std::uint64_t>(draws) * (draws >= 2 ? 2 : 1);
    return records * TStakeRec::kFileSize;
}

}  // namespace corvel
