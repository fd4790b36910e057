#include "combs/CombsClipboard.h"

#include <cstring>
#include <optional>

#include "combs/CombinationText.h"
#include "combs/CombsEdit.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

constexpr TSeparators kPasteSeparators("\t ,-.:;|");

// A line quoted in an error is cut to this many characters, so a pasted text
// without line breaks does not fill the screen.
constexpr std::size_t kQuotedLineLimit = 100;

std::optional<std::uint8_t> PasteWordToByte(std::string_view word) {
    const auto value = ToInt64(word);
    if (!value || *value < 0 || *value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(*value);
}

// The combination of a pasted line, or nothing when the line is not one.
std::optional<TCombination> ParsePasteLine(std::string_view line) {
    const TLineWords words = SplitLineWords(line, kPasteSeparators);
    if (!words.IsCombination()) return std::nullopt;
    TCombination c{};
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto value = PasteWordToByte(words.Words[i]);
        if (!value) return std::nullopt;
        c[i] = *value;
    }
    return c;
}

std::string QuotedLine(std::string_view line) {
    const auto characters = Utf8Characters(line);
    if (characters.size() <= kQuotedLineLimit) return std::string(line);
    const auto cut = static_cast<std::size_t>(characters[kQuotedLineLimit].data() - line.data());
    return std::string(line.substr(0, cut)) + "...";
}

}  // namespace

std::string CombsClipboardText(const TCombsArray& list, std::span<const std::size_t> rows) {
    std::string text;
    text.reserve(rows.size() * 20);
    bool first = true;
    for (std::size_t row : rows) {
        if (row >= list.Count()) continue;
        if (!first) text += "\r\n";
        first = false;
        const TCombination& c = list[row];
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (i) text += ' ';
            text += ByteTwoDigits(c[i]);
        }
    }
    return text;
}

TCheck ParseCombsPaste(std::string_view text, TCombsArray& list) {
    // First check every line and count, so that a faulty or oversized paste
    // leaves the list untouched.
    std::size_t count = 0;
    std::optional<std::string_view> badLine;
    ForEachLine(text, [&](std::string_view line) {
        if (badLine || Trim(line).empty()) return;
        if (ParsePasteLine(line))
            ++count;
        else
            badLine = line;
    });
    if (badLine) return Failure(Format(texts::kCombsBadLine, {QuotedLine(Trim(*badLine))}));
    if (count == 0) return Failure(texts::kCombsPasteEmpty);  // a blank paste is a mistake, not an empty list
    if (count > list.Capacity()) return Failure(Format(texts::kCombsTooMany, {count, list.Capacity()}));

    TCombination* out = list.Data();
    std::size_t k = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (const auto c = ParsePasteLine(line)) out[k++] = *c;
    });
    list.SetCount(k);
    return {};
}

void PasteCombs(TCombsList& list, std::string_view text) {
    ParseCombsPaste(text, list.Current()).ValueOrThrow();
    list.ForgetUndo();
}

}  // namespace corvel
