#include "ratings/RatingsTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/LittleEndian.h"
#include "model/TextUtil.h"
#include "scenarios/ScriptItem.h"
#include "stakes/StakeSummary.h"
#include "stakes/StakesFile.h"

namespace corvel {
namespace {

constexpr std::int64_t kAllCombinations = 12'271'512;

double Probability(int matches) {
    return static_cast<double>(MatchCombinations(matches)) / static_cast<double>(kAllCombinations);
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace

std::int64_t MatchCombinations(int matches) { return MatchWays(6, matches); }

bool TRatingsTable::Add(const TStakeRec& stake) {
    if (!stake.Checked || stake.Hits.Count < 0 || stake.Hits.Count > 6) return true;
    const std::uint8_t* comment = stake.CommentBytes.data();
    const std::uint32_t row = RowOf(comment, TCommentIndex::Hash(comment + 1, comment[0]));
    if (row == TCommentIndex::kNone) return false;
    AddToRow(row, stake.Hits.Count, stake.Profit);
    return true;
}

std::uint32_t TRatingsTable::RowOf(const std::uint8_t* comment, std::uint64_t hash) {
    const std::size_t size = comment[0];
    if (size >= TStakeRec::kCommentCapacity) return TCommentIndex::kNone;
    const std::uint8_t* text = comment + 1;
    const std::uint32_t found = spellings_.Find(text, size, hash);
    if (found != TCommentIndex::kNone) return found;
    std::uint8_t key[TStakeRec::kCommentCapacity];
    FoldCommentBytes(text, size, key);
    const std::uint32_t row =
        keys_.Insert(key, size, TCommentIndex::Hash(key, size), static_cast<std::uint32_t>(rows_.size()));
    if (row == rows_.size()) {
        TRatingRec rec;
        // Only the comment's own bytes: the rest of a stake's comment field is unspecified.
        std::copy(comment, comment + 1 + size, rec.CommentBytes.begin());
        rows_.push_back(rec);
    }
    spellings_.Insert(text, size, hash, row);
    return row;
}

void TRatingsTable::AddToRow(std::uint32_t at, int hits, TMoney profit) {
    TRatingRec& row = rows_[at];
    row.Stakes += 1;
    row.Matches += static_cast<std::uint32_t>(hits);
    row.ByMatches[static_cast<std::size_t>(hits)] += 1;
    row.Profit += profit;
}

std::int64_t TRatingsTable::Rebuild(const TStakesFile& file) {
    Clear();
    std::int64_t unrated = 0;
    const std::int64_t count = file.Count();
    // Only the fields a rating needs are read from each record: Draw at 4,
    // Checked at 8, the match count at 36, Profit at 48, the comment at 56.
    // A block is read at once and then gone through three times: the
    // comments are hashed and the slots of their lookups fetched, then looked
    // up and their rows fetched, then added; so the lookups and the additions
    // rarely wait for the memory.
    constexpr std::size_t kChunk = 1024;
    std::vector<std::uint8_t> chunk(kChunk * TStakeRec::kFileSize);
    std::vector<std::uint64_t> hashes(kChunk);
    std::vector<std::uint32_t> rows(kChunk);
    auto rated = [](const std::uint8_t* rec) {
        const std::int32_t hits = le::LoadI32(rec + 36);
        return le::LoadI32(rec + 4) >= 0 && rec[8] != 0 && hits >= 0 && hits <= 6;
    };
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunk));
        file.ReadRecordBytes(at, n, chunk.data());
        const std::uint8_t* recs = chunk.data();
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* rec = recs + i * TStakeRec::kFileSize;
            if (!rated(rec)) continue;
            hashes[i] = TCommentIndex::Hash(rec + 57, rec[56]);
            spellings_.Prefetch(hashes[i]);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* rec = recs + i * TStakeRec::kFileSize;
            if (!rated(rec)) continue;
            rows[i] = RowOf(rec + 56, hashes[i]);
            if (rows[i] == TCommentIndex::kNone)
                ++unrated;
            else
                __builtin_prefetch(&rows_[rows[i]].Profit);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* rec = recs + i * TStakeRec::kFileSize;
            if (!rated(rec) || rows[i] == TCommentIndex::kNone) continue;
            AddToRow(rows[i], le::LoadI32(rec + 36), TMoney::FromRaw(le::LoadI64(rec + 48)));
        }
        at += static_cast<std::int64_t>(n);
    }
    return unrated;
}

void TRatingsTable::Clear() {
    rows_.clear();
    keys_.Clear();
    spellings_.Clear();
}

void TRatingsTable::Reindex() {
    keys_.Clear();
    spellings_.Clear();
    std::uint8_t key[256];
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const std::uint8_t* comment = rows_[i].CommentBytes.data();
        FoldCommentBytes(comment + 1, comment[0], key);
        // The first row of a key wins, as a search in order would.
        keys_.Insert(key, comment[0], TCommentIndex::Hash(key, comment[0]), static_cast<std::uint32_t>(i));
    }
}

void TRatingsTable::Sort(int column, bool descending) {
    if (column < 0 || column >= kRatingColumns || rows_.size() < 2) return;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const TRatingRec& a, const TRatingRec& b) {
        return RatingRowBefore(a, b, column, descending);
    });
    Reindex();
}

void TRatingsTable::Load(const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path, 1ull << 32);
    if (bytes.size() % TRatingRec::kFileSize != 0)
        throw EFileError(Format(texts::kRatingsFileSize, {static_cast<std::int64_t>(bytes.size())}));
    std::vector<TRatingRec> rows(bytes.size() / TRatingRec::kFileSize);
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = DecodeRatingRec(reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * TRatingRec::kFileSize);
    rows_ = std::move(rows);
    Reindex();
}

void TRatingsTable::Save(const std::filesystem::path& path) const {
    std::string bytes(rows_.size() * TRatingRec::kFileSize, '\0');
    for (std::size_t i = 0; i < rows_.size(); ++i)
        EncodeRatingRec(rows_[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TRatingRec::kFileSize);
    WriteFileAtomically(path, bytes);
}

std::string TRatingsTable::CellText(std::size_t index, int column, TEfficiencyMode mode) const {
    const TRatingRec& r = rows_.at(index);
    const double stakes = r.Stakes;
    if (column == 0) return r.Comment();
    if (column == 1) return std::to_string(r.Stakes);
    if (column == 2) return std::to_string(r.Matches);
    if (column == 4) return Format("%.2f", {r.Profit.ToDouble()});
    if (column >= 6 && column <= 12) return std::to_string(r.ByMatches[static_cast<std::size_t>(column - 6)]);
    if (r.Stakes == 0 || column < 0 || column >= kRatingColumns) return {};
    if (column == 3) return Format("%.3f", {r.Matches / stakes});
    if (column == 5) return Format("%.2f", {std::round(static_cast<double>(r.Profit.Raw()) / stakes) / TMoney::kScale});
    const int i = column - 13;
    const double p = Probability(i), count = r.ByMatches[static_cast<std::size_t>(i)];
    switch (mode) {
        case TEfficiencyMode::Expected:
            return std::to_string(static_cast<std::int64_t>(std::llround(stakes * p)));
        case TEfficiencyMode::Absolute:
            return Format("%.3f%%", {count * 100 / stakes - p * 100});
        case TEfficiencyMode::Relative:
            return Format("%.3f%%", {count * 100 / (stakes * p)});
    }
    return {};
}

std::string_view RatingColumnCaption(int column) {
    static const i18n::TextId* const kCaptions[6] = {&texts::kRatingColComment, &texts::kRatingColStakes,
                                                     &texts::kRatingColMatches, &texts::kRatingColAverage,
                                                     &texts::kRatingColProfit,  &texts::kRatingColAverageProfit};
    static const char* const kNumbers[14] = {"0",  "1",  "2",  "3",  "4",  "5",  "6",
                                             "E0", "E1", "E2", "E3", "E4", "E5", "E6"};
    if (column >= 0 && column < 6) return *kCaptions[column];
    if (column >= 6 && column < kRatingColumns) return kNumbers[column - 6];
    return {};
}

std::string TRatingsTable::CsvText() const {
    std::string text;
    for (int c = 0; c < kRatingColumns; ++c) text += (c ? ";" : "") + Quoted(RatingColumnCaption(c));
    text += "\r\n";
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const TRatingRec& r = rows_[i];
        text += Quoted(r.Comment());
        for (int c = 1; c <= 12; ++c) text += ";" + CellText(i, c, TEfficiencyMode::Expected);
        text += "\r\n";
    }
    return Utf8ToCp1251(text);
}

TExpected<std::string> RatingToScriptLine(std::string_view text, const TStatList& list) {
    std::string comment, body;
    if (const auto at = text.find('@'); at != std::string_view::npos) {
        comment = Trim(text.substr(0, at));
        body = Trim(text.substr(at + 1));
    } else {
        body = text;
    }
    for (std::size_t at = body.find(" + "); at != std::string::npos; at = body.find(" + ", at + 1))
        body.replace(at, 3, "|");
    while (SplitAny(body, "|", true).size() <= 7) body += "| ";
    body += "|" + comment;
    const TScriptItem item = ParseScriptItem(body);
    const bool anyFilter =
        std::any_of(item.Filters.begin(), item.Filters.end(), [](const std::string& f) { return !Trim(f).empty(); });
    auto line = CheckedScriptLine(item, list);
    if (!anyFilter || !line) return Failure(Format(texts::kRatingNotAScriptLine, {text}));
    return line;
}

}  // namespace corvel
