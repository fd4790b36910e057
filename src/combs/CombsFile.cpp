#include "combs/CombsFile.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "combs/CombinationText.h"
#include "combs/CombsEdit.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

// Calls onCombination with every line that holds a combination.
template <typename OnCombination>
void ForEachLcvCombination(std::string_view text, OnCombination&& onCombination) {
    ForEachLine(text, [&](std::string_view line) {
        const TLcvLine parsed = ParseLcvLine(line);
        if (parsed.Words == kNumbersPerDraw) onCombination(parsed.Numbers);
    });
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    return text;
}

}  // namespace

std::uint8_t LcvWordToByte(std::string_view word) {
    const auto value = ToInt64(word);
    if (!value || *value < 0 || *value > 255) return 0;
    return static_cast<std::uint8_t>(*value);
}

TLcvLine ParseLcvLine(std::string_view line) {
    // One pass over the characters, the same result as splitting the line
    // and reading each word with LcvWordToByte, without the second look at
    // every word: a file of the full list has twelve million lines.
    enum Phase { Blank, Sign, Digits, Trailing, Junk };
    TLcvLine result;
    Phase phase = Blank;
    unsigned value = 0;
    bool negative = false;
    auto endWord = [&] {
        if (phase == Blank) return;  // a blank piece is no word
        if (result.Words < kNumbersPerDraw) {
            const bool number = phase == Digits || phase == Trailing;
            result.Numbers[static_cast<std::size_t>(result.Words)] =
                number && !negative && value <= 255 ? static_cast<std::uint8_t>(value) : 0;
        }
        ++result.Words;
        phase = Blank;
        value = 0;
        negative = false;
    };
    for (char ch : line) {
        if (ch == ',' || ch == ';') {
            endWord();
            continue;
        }
        const bool blank = ch == ' ' || ch == '\t' || ch == '\v' || ch == '\f' || ch == '\r' || ch == '\n';
        const bool digit = ch >= '0' && ch <= '9';
        switch (phase) {
            case Blank:
                if (blank) break;
                if (digit) {
                    phase = Digits;
                    value = static_cast<unsigned>(ch - '0');
                } else if (ch == '+' || ch == '-') {
                    phase = Sign;
                    negative = ch == '-';
                } else {
                    phase = Junk;
                }
                break;
            case Sign:
                if (digit) {
                    phase = Digits;
                    value = static_cast<unsigned>(ch - '0');
                } else {
                    phase = Junk;
                }
                break;
            case Digits:
                // Saturates above a byte, so long digit runs cannot overflow.
                if (digit)
                    value = std::min(value * 10 + static_cast<unsigned>(ch - '0'), 256U);
                else
                    phase = blank ? Trailing : Junk;
                break;
            case Trailing:
                if (!blank) phase = Junk;
                break;
            case Junk:
                break;
        }
    }
    endWord();
    return result;
}

void ParseCombsText(std::string_view text, TCombsArray& list) {
    text = WithoutByteOrderMark(text);
    // Count first, so that a file too big for the list is refused before the
    // list is touched.
    std::size_t count = 0;
    ForEachLcvCombination(text, [&](const TCombination&) { ++count; });
    if (count > list.Capacity()) throw ECorvelError(Format(texts::kCombsTooMany, {count, list.Capacity()}));

    TCombination* out = list.Data();
    std::size_t k = 0;
    ForEachLcvCombination(text, [&](const TCombination& c) { out[k++] = c; });
    list.SetCount(k);
}

std::string CombsFileText(const TCombsArray& list) {
    std::size_t size = 0;
    for (const TCombination& c : list.Items()) {
        size += kNumbersPerDraw - 1 + 2;  // separators and CR LF
        for (std::uint8_t v : c) size += ByteDecimal(v).size();
    }
    std::string text(size + 3, '\0');  // PutByteDecimal stores past the digits
    char* p = text.data();
    for (const TCombination& c : list.Items()) {
        p = PutByteDecimal(p, c[0]);
        for (std::size_t i = 1; i < c.size(); ++i) {
            *p++ = ';';
            p = PutByteDecimal(p, c[i]);
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    text.resize(size);
    return text;
}

void ReadCombsFile(const std::filesystem::path& path, TCombsArray& list) { ParseCombsText(ReadFileBytes(path), list); }

void WriteCombsFile(const std::filesystem::path& path, const TCombsArray& list) {
    WriteFileAtomically(path, CombsFileText(list));
}

void OpenCombsFile(TCombsList& list, const std::filesystem::path& path) {
    ReadCombsFile(path, list.Current());
    list.ForgetUndo();
}

}  // namespace corvel
