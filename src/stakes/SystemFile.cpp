#include "stakes/SystemFile.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "i18n/Texts.h"
#include "model/NumberSet.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel {
namespace {

bool IsSeparator(char c) {
    constexpr std::string_view kSeparators = " *+,-./:;=\\_|~\t\r";
    return kSeparators.find(c) != std::string_view::npos;
}

std::optional<int> DigitsValue(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

}  // namespace

std::vector<TSystemLine> ParseSystemText(std::string_view text, int numbers) {
    std::vector<TSystemLine> lines;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNumber;
        std::vector<std::string_view> parts;
        for (std::size_t i = 0; i < line.size();) {
            if (IsSeparator(line[i])) {
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < line.size() && !IsSeparator(line[j])) ++j;
            parts.push_back(line.substr(i, j - i));
            i = j;
        }
        if (parts.empty()) continue;
        if (parts.size() != kNumbersPerDraw)
            throw EInvalidArgument(Format(texts::kSystemLineLength, {lineNumber, parts.size()}));
        TSystemLine out{};
        std::uint64_t seen = 0;
        for (std::size_t j = 0; j < parts.size(); ++j) {
            const std::optional<int> index = DigitsValue(parts[j]);
            if (!index || *index < 1 || *index > numbers)
                throw EInvalidArgument(Format(texts::kSystemBadIndex, {lineNumber, std::string(parts[j]), numbers}));
            const std::uint64_t bit = std::uint64_t{1} << *index;
            if (seen & bit) throw EInvalidArgument(Format(texts::kSystemRepeatedIndex, {lineNumber, *index}));
            seen |= bit;
            out[j] = static_cast<std::uint8_t>(*index);
        }
        lines.push_back(out);
    }
    if (lines.empty()) throw EInvalidArgument(texts::kSystemEmpty);
    return lines;
}

std::string SystemFileName(int numbers, int block, int id) {
    return Format("%d-%.2d-%d_%.4d.dat", {kNumbersPerDraw, numbers, block, id});
}

std::optional<TSystemFileName> ParseSystemFileName(std::string_view name) {
    constexpr std::string_view kPrefix = "6-", kSuffix = ".dat";
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) || name.size() < kPrefix.size() + kSuffix.size())
        return std::nullopt;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t dash = name.find('-');
    const std::size_t underscore = name.find('_');
    if (dash == std::string_view::npos || underscore == std::string_view::npos || underscore < dash)
        return std::nullopt;
    const auto numbers = DigitsValue(name.substr(0, dash));
    const auto block = DigitsValue(name.substr(dash + 1, underscore - dash - 1));
    const auto id = DigitsValue(name.substr(underscore + 1));
    if (dash != 2 || !numbers || !block || !id) return std::nullopt;
    return TSystemFileName{*numbers, *block, *id};
}

std::optional<std::filesystem::path> FindSystemFile(const std::filesystem::path& folder, int numbers) {
    std::optional<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto parsed = ParseSystemFileName(name);
        if (!parsed || parsed->Numbers != numbers) continue;
        if (!found || name < found->filename().string()) found = it->path();
    }
    return found;
}

std::vector<std::uint8_t> ChosenNumbers(const TCombsArray& list) {
    std::vector<std::uint8_t> chosen;
    std::uint64_t seen = 0;
    for (const TCombination& c : list.Items()) {
        for (const std::uint8_t n : c) {
            if (n < 1 || n > kMaxNumber || (seen >> n & 1)) continue;
            seen |= std::uint64_t{1} << n;
            chosen.push_back(n);
        }
        if (chosen.size() == static_cast<std::size_t>(kMaxNumber)) break;
    }
    return chosen;
}

std::vector<TCombination> ExpandSystem(const std::vector<TSystemLine>& lines, const std::vector<std::uint8_t>& chosen) {
    std::vector<TCombination> out;
    out.reserve(lines.size());
    for (const TSystemLine& line : lines) {
        TCombination c{};
        for (std::size_t j = 0; j < line.size(); ++j) {
            const std::size_t index = line[j];
            if (index < 1 || index > chosen.size()) throw EInvalidArgument(texts::kSystemNumbersMismatch);
            c[j] = chosen[index - 1];
        }
        std::sort(c.begin(), c.end());
        out.push_back(c);
    }
    return out;
}

std::vector<TCombination> KeepCombinationsInList(const std::vector<TCombination>& expanded, const TCombsArray& list) {
    std::unordered_set<std::uint64_t> wanted;
    wanted.reserve(expanded.size());
    for (const TCombination& c : expanded) wanted.insert(NumberSet(c));
    std::unordered_set<std::uint64_t> present;
    for (const TCombination& c : list.Items()) {
        const std::uint64_t key = NumberSet(c);
        if (wanted.contains(key)) present.insert(key);
        if (present.size() == wanted.size()) break;
    }
    std::vector<TCombination> out;
    for (const TCombination& c : expanded)
        if (present.contains(NumberSet(c))) out.push_back(c);
    return out;
}

TSystemPlay PlanSystemPlay(const std::filesystem::path& folder, const TCombsArray& list, bool listOnly) {
    const std::vector<std::uint8_t> chosen = ChosenNumbers(list);
    const int k = static_cast<int>(chosen.size());
    const std::optional<std::filesystem::path> file = FindSystemFile(folder, k);
    if (!file) throw ECorvelError(Format(texts::kSystemNotFound, {k}));
    TSystemPlay play;
    play.ListOnly = listOnly;
    play.Numbers = k;
    play.Name = file->stem().string();
    play.Title = Format(listOnly ? texts::kSystemPlayTitleCombs : texts::kSystemPlayTitleAll, {k, play.Name});
    std::vector<TSystemLine> lines;
    try {
        lines = ParseSystemText(ReadFileBytes(*file, kSystemFileMaxBytes), k);
    } catch (const ECorvelError& e) {
        throw ECorvelError(ErrorReport(texts::kSystemPlayLoadError, e.what()));
    }
    play.Combinations = ExpandSystem(lines, chosen);
    if (listOnly) play.Combinations = KeepCombinationsInList(play.Combinations, list);
    play.Sample = static_cast<std::int32_t>(listOnly ? list.Count() : lines.size());
    return play;
}

}  // namespace corvel
