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

// Lower case of a code page 1251 byte: Latin, Russian and Ё.
constexpr std::array<char, 256> kFold = [] {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int f = b;
        if (b >= 'A' && b <= 'Z') f = b + 32;
        if (b >= 0xC0 && b <= 0xDF) f = b + 32;
        if (b == 0xA8) f = 0xB8;
        t[static_cast<std::size_t>(b)] = static_cast<char>(f);
    }
    return t;
}();

void FoldKey(const std::uint8_t* comment, std::string& key) {
    const std::size_t len = comment[0];
    key.resize(len);
    for (std::size_t i = 0; i < len; ++i) key[i] = kFold[comment[i + 1]];
}

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
    if (!stake.Checked) return true;
    return AddFields(stake.Hits.Count, stake.Profit, stake.CommentBytes.data());
}

bool TRatingsTable::AddFields(int hits, TMoney profit, const std::uint8_t* comment) {
    if (hits < 0 || hits > 6) return true;
    if (comment[0] >= TStakeRec::kCommentCapacity) return false;
    FoldKey(comment, key_);
    auto it = index_.find(std::string_view(key_));
    if (it == index_.end()) {
        TRatingRec row;
        // Only the comment's own bytes: the rest of a stake's comment field is unspecified.
        std::copy(comment, comment + 1 + comment[0], row.CommentBytes.begin());
        it = index_.emplace(key_, rows_.size()).first;
        rows_.push_back(row);
    }
    TRatingRec& row = rows_[it->second];
    row.Stakes += 1;
    row.Matches += static_cast<std::uint32_t>(hits);
    row.ByMatches[static_cast<std::size_t>(hits)] += 1;
    row.Profit += profit;
    return true;
}

std::int64_t TRatingsTable::Rebuild(const TStakesFile& file) {
    Clear();
    std::int64_t unrated = 0;
    const std::int64_t count = file.Count();
    // Only the fields a rating needs are read from each record: Draw at 4,
    // Checked at 8, the match count at 36, Profit at 48, the comment at 56.
    constexpr std::size_t kChunk = 4096;
    std::vector<std::uint8_t> chunk(kChunk * TStakeRec::kFileSize);
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunk));
        file.ReadRecordBytes(at, n, chunk.data());
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* rec = chunk.data() + i * TStakeRec::kFileSize;
            if (le::LoadI32(rec + 4) < 0 || rec[8] == 0) continue;
            if (!AddFields(le::LoadI32(rec + 36), TMoney::FromRaw(le::LoadI64(rec + 48)), rec + 56)) ++unrated;
        }
        at += static_cast<std::int64_t>(n);
    }
    return unrated;
}

void TRatingsTable::Clear() {
    rows_.clear();
    index_.clear();
}

void TRatingsTable::Reindex() {
    index_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        FoldKey(rows_[i].CommentBytes.data(), key_);
        index_.emplace(key_, i);  // the first row of a key wins, as a search in order would
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
