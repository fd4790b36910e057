#include "combs/CombinationText.h"

#include <cstring>

#include "model/TextUtil.h"

namespace corvel {
namespace {

// Each entry holds up to three digits and its length in the last byte.
using TByteTexts = std::array<std::array<char, 4>, 256>;

constexpr TByteTexts MakeByteTexts(int minDigits) {
    TByteTexts texts{};
    for (int v = 0; v < 256; ++v) {
        const int digits = v >= 100 ? 3 : v >= 10 || minDigits == 2 ? 2 : 1;
        int rest = v;
        for (int d = digits - 1; d >= 0; --d) {
            texts[v][d] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        texts[v][3] = static_cast<char>(digits);
    }
    return texts;
}

constexpr TByteTexts kDecimal = MakeByteTexts(1);
constexpr TByteTexts kTwoDigits = MakeByteTexts(2);

std::string_view TextOf(const TByteTexts& texts, std::uint8_t value) {
    const auto& entry = texts[value];
    return {entry.data(), static_cast<std::size_t>(entry[3])};
}

}  // namespace

std::string_view ByteDecimal(std::uint8_t value) { return TextOf(kDecimal, value); }

char* PutByteDecimal(char* out, std::uint8_t value) {
    const auto& entry = kDecimal[value];
    std::memcpy(out, entry.data(), entry.size());
    return out + entry[3];
}

std::string_view ByteTwoDigits(std::uint8_t value) { return TextOf(kTwoDigits, value); }

TLineWords SplitLineWords(std::string_view line, const TSeparators& separators) {
    TLineWords result;
    std::size_t start = 0;
    const std::size_t size = line.size();
    for (std::size_t i = 0; i <= size; ++i) {
        if (i < size && !separators(line[i])) continue;
        const std::string_view word = Trim(line.substr(start, i - start));
        start = i + 1;
        if (word.empty()) continue;
        if (result.Count == static_cast<int>(result.Words.size())) break;
        result.Words[static_cast<std::size_t>(result.Count++)] = word;
    }
    return result;
}

}  // namespace corvel
