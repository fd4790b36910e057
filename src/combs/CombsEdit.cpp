#include "combs/CombsEdit.h"

#include <algorithm>
#include <array>
#include <bit>

#include "combs/CombinationText.h"
#include "model/PercentBlocks.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"

namespace corvel {
namespace {

// Sorted keys of a few draws with a 65,536-bit prefilter in front: almost
// every combination of a long list is rejected by one bit test, and only the
// rare candidates reach the binary search.
class TDrawKeySet {
  public:
    explicit TDrawKeySet(std::vector<std::uint64_t> keys) : keys_(std::move(keys)) {
        std::sort(keys_.begin(), keys_.end());
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        for (std::uint64_t key : keys_) {
            const std::uint32_t h = Hash(key);
            filter_[h >> 6] |= std::uint64_t{1} << (h & 63);
        }
    }
    bool Empty() const { return keys_.empty(); }
    bool Contains(std::uint64_t key) const {
        const std::uint32_t h = Hash(key);
        if (((filter_[h >> 6] >> (h & 63)) & 1U) == 0) return false;
        return std::binary_search(keys_.begin(), keys_.end(), key);
    }

  private:
    static std::uint32_t Hash(std::uint64_t key) {
        return static_cast<std::uint32_t>((key * 0x9E3779B97F4A7C15ULL) >> 48);
    }
    std::vector<std::uint64_t> keys_;
    std::array<std::uint64_t, 1024> filter_{};
};

// Bit n for the numbers of the game, nothing for any other byte.
constexpr std::array<std::uint64_t, 256> MakeGameBits() {
    std::array<std::uint64_t, 256> bits{};
    for (int n = kMinNumber; n <= kMaxNumber; ++n) bits[static_cast<std::size_t>(n)] = std::uint64_t{1} << n;
    return bits;
}
constexpr std::array<std::uint64_t, 256> kGameBits = MakeGameBits();
constexpr std::uint64_t kAllGameBits = ((std::uint64_t{1} << (kMaxNumber + 1)) - 1) & ~std::uint64_t{1};

std::string DrawNumbersText(const TDrawRec& draw) {
    std::string text;
    for (std::size_t i = 0; i < draw.Numbers.size(); ++i) {
        if (i) text += ';';
        text += ByteDecimal(draw.Numbers[i]);
    }
    text += " e:";
    text += ByteDecimal(draw.Extra[0]);
    text += ';';
    text += ByteDecimal(draw.Extra[1]);
    return text;
}

}  // namespace

TCombsList::TCombsList(std::size_t capacity) : current_(capacity), undo_(capacity) {}

void TCombsList::SaveUndo() { undo_.CopyFrom(current_); }

void TCombsList::SaveUndo(TProgress& progress) {
    progress.Status(texts::kCombsSavingUndo);
    SaveUndo();
    progress.Status("");
}

void TCombsList::Undo() {
    current_.CopyFrom(undo_);
    undo_.Clear();
}

void TCombsList::Undo(TProgress& progress) {
    progress.Status(texts::kCombsUndoing);
    Undo();
    progress.Status("");
}

std::size_t TCombsList::ExcludeLastDraws(const TDrawsArray& draws, int offset, int n, TProgress& progress) {
    progress.Status(Format(texts::kCombsExcluding, {n}));
    SaveUndo();

    std::vector<std::uint64_t> keys;
    if (n > 0 && offset >= 0) {
        const int last = LastAnalysedIndex(draws, offset);
        const int first = std::max(0, last - n + 1);
        for (int i = first; i <= last && i < static_cast<int>(draws.size()); ++i)
            keys.push_back(SortedCombinationKey(draws[static_cast<std::size_t>(i)].Numbers));
    }
    const TDrawKeySet drawKeys(std::move(keys));

    const std::size_t total = undo_.Count();
    const TCombination* in = undo_.Data();
    TCombination* out = current_.Data();
    std::size_t kept = 0;
    ForEachPercentBlock(total, [&](std::size_t begin, std::size_t end, std::size_t percent) {
        if (begin > 0) progress.Status(Format(texts::kCombsExcludingProgress, {n, static_cast<double>(percent)}));
        if (drawKeys.Empty()) {
            std::copy(in + begin, in + end, out + kept);
            kept += end - begin;
            return;
        }
        for (std::size_t i = begin; i < end; ++i) {
            // kept <= i, so the store stays inside the list even for a
            // combination that is then dropped.
            out[kept] = in[i];
            kept += drawKeys.Contains(SortedCombinationKey(in[i])) ? 0 : 1;
        }
    });
    current_.SetCount(kept);
    progress.Status("");
    return total - kept;
}

std::size_t TCombsList::DeleteRows(std::span<const std::size_t> rows, TProgress& progress) {
    progress.Status(texts::kCombsDeletingSelected);
    SaveUndo();

    std::vector<std::size_t> doomed;
    doomed.reserve(rows.size());
    for (std::size_t row : rows)
        if (row < undo_.Count()) doomed.push_back(row);
    if (!std::is_sorted(doomed.begin(), doomed.end())) std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());

    const TCombination* in = undo_.Data();
    TCombination* out = current_.Data();
    std::size_t kept = 0;
    std::size_t from = 0;
    for (std::size_t row : doomed) {
        out = std::copy(in + from, in + row, out);
        kept += row - from;
        from = row + 1;
    }
    std::copy(in + from, in + undo_.Count(), out);
    kept += undo_.Count() - from;
    current_.SetCount(kept);
    progress.Status("");
    return doomed.size();
}

std::uint64_t SortedCombinationKey(const TCombination& c) {
    std::uint8_t v[6] = {c[0], c[1], c[2], c[3], c[4], c[5]};
    auto order = [&v](int i, int j) {
        const std::uint8_t lo = std::min(v[i], v[j]);
        const std::uint8_t hi = std::max(v[i], v[j]);
        v[i] = lo;
        v[j] = hi;
    };
    // The optimal 12-comparator sorting network for six inputs.
    order(0, 5);
    order(1, 3);
    order(2, 4);
    order(1, 2);
    order(3, 4);
    order(0, 3);
    order(2, 5);
    order(0, 1);
    order(2, 3);
    order(4, 5);
    order(1, 2);
    order(3, 4);
    std::uint64_t key = 0;
    for (int i = 0; i < 6; ++i) key |= std::uint64_t{v[i]} << (8 * (5 - i));
    return key;
}

int CountUniqueNumbers(const TCombsArray& list) {
    std::uint64_t seen = 0;
    for (const TCombination& c : list.Items()) {
        seen |=
            kGameBits[c[0]] | kGameBits[c[1]] | kGameBits[c[2]] | kGameBits[c[3]] | kGameBits[c[4]] | kGameBits[c[5]];
        if (seen == kAllGameBits) break;
    }
    return std::popcount(seen);
}

std::vector<int> FindCombinationInArchive(const TCombination& c, const TDrawsArray& draws, std::size_t limit) {
    std::vector<int> found;
    const std::uint64_t key = SortedCombinationKey(c);
    for (int i = static_cast<int>(draws.size()) - 1; i >= 0 && found.size() < limit; --i)
        if (SortedCombinationKey(draws[static_cast<std::size_t>(i)].Numbers) == key) found.push_back(i);
    return found;
}

std::string CombinationInArchiveText(const TCombination& c, const TDrawsArray& draws) {
    const std::vector<int> found = FindCombinationInArchive(c, draws);
    if (found.empty()) return texts::kCombsNotFoundInDraws.Str();
    std::string text = texts::kCombsFoundInDraws.Str();
    text += "\r";
    for (int index : found) {
        const TDrawRec& draw = draws[static_cast<std::size_t>(index)];
        text += "\r";
        text += Format(texts::kCombsFoundDraw, {draw.Number, draw.DateText(), DrawNumbersText(draw)});
    }
    return text;
}

}  // namespace corvel
