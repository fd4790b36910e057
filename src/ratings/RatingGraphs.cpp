#include "ratings/RatingGraphs.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/GameConstants.h"
#include "model/LittleEndian.h"
#include "ratings/CommentKey.h"
#include "ratings/RatingsTable.h"
#include "stakes/StakesFile.h"

namespace corvel {
namespace {

constexpr std::uint32_t kGreen = 0x008000, kBlue = 0x0000FF, kRed = 0xFF0000, kGrey = 0x808080;
constexpr std::size_t kBlock = 1024;  // records read at once
constexpr int kRecentDraws = 100;

double MoneyUnits(std::int64_t raw) { return static_cast<double>(raw) / TMoney::kScale; }

TGraphSeries Series(std::string name, std::uint32_t colour, bool markers, bool marks) {
    TGraphSeries s;
    s.Name = std::move(name);
    s.Colour = colour;
    s.Markers = markers;
    s.Marks = marks;
    return s;
}

// Calls visit(record bytes) for records first .. Count() - 1, a block at a time.
template <class Visit>
void ForEachRecord(const TStakesFile& file, std::int64_t first, Visit visit) {
    std::vector<std::uint8_t> block(kBlock * TStakeRec::kFileSize);
    const std::int64_t count = file.Count();
    for (std::int64_t at = first; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kBlock));
        file.ReadRecordBytes(at, n, block.data());
        for (std::size_t i = 0; i < n; ++i) visit(block.data() + i * TStakeRec::kFileSize);
        at += static_cast<std::int64_t>(n);
    }
}

// Fields of a stake record as the file lays it out.
std::int32_t DrawOf(const std::uint8_t* rec) { return le::LoadI32(rec + 4); }
bool CheckedOf(const std::uint8_t* rec) { return rec[8] != 0; }
std::int32_t HitsOf(const std::uint8_t* rec) { return le::LoadI32(rec + 36); }
std::int64_t ProfitOf(const std::uint8_t* rec) { return le::LoadI64(rec + 48); }
const std::uint8_t* CommentOf(const std::uint8_t* rec) { return rec + 56; }

}  // namespace

TGraph DrawProfitsGraph(const TStakesFile& file) {
    std::vector<std::pair<std::int32_t, std::int64_t>> draws;  // in the order of first appearance
    std::unordered_map<std::int32_t, std::size_t> at;
    ForEachRecord(file, 0, [&](const std::uint8_t* rec) {
        const std::int32_t draw = DrawOf(rec);
        if (draw <= 0) return;  // a separator
        auto [it, fresh] = at.try_emplace(draw, draws.size());
        if (fresh) draws.emplace_back(draw, 0);
        draws[it->second].second += ProfitOf(rec);
    });
    if (draws.empty()) throw ECorvelError(texts::kGraphNeedsDraws);

    std::int64_t total = 0;
    for (const auto& d : draws) total += d.second;
    const double mean = MoneyUnits(total) / static_cast<double>(draws.size());
    TGraph graph;
    graph.Caption = texts::kGraphDrawProfitsCaption.Str();
    graph.Series = {Series(texts::kGraphDrawProfitSeries.Str(), kGreen, true, true),
                    Series(texts::kGraphMeanSeries.Str(), kBlue, false, false),
                    Series(texts::kGraphRunningTotalSeries.Str(), kRed, true, true)};
    std::int64_t running = 0;
    for (const auto& [draw, profit] : draws) {
        running += profit;
        const double x = draw;
        graph.Series[0].Points.push_back({x, MoneyUnits(profit)});
        graph.Series[1].Points.push_back({x, mean});
        graph.Series[2].Points.push_back({x, MoneyUnits(running)});
    }
    return graph;
}

TGraph StakesOfRowsGraph(const TStakesFile& file, std::span<const TRatingRec> rows, TStakeGraphValue value) {
    if (rows.empty()) throw ECorvelError(texts::kGraphNeedsDraws);
    const TStakesFile::TRecentDraws recent = file.CountRecentDraws(kRecentDraws);
    if (recent.Count < 2) throw ECorvelError(texts::kGraphNeedsDraws);

    // The rows' keys; rows of one key share the series of the first.
    TCommentIndex keys;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string key = CommentKey(rows[r].CommentBytes.data());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(key.data());
        keys.Insert(bytes, key.size(), TCommentIndex::Hash(bytes, key.size()), static_cast<std::uint32_t>(r));
    }
    TGraph graph;
    graph.Caption =
        (value == TStakeGraphValue::Hits ? texts::kGraphStakeHitsCaption : texts::kGraphStakeProfitsCaption).Str();
    std::vector<std::size_t> seriesOf(rows.size(), SIZE_MAX);
    std::uint8_t key[256];
    ForEachRecord(file, recent.Start, [&](const std::uint8_t* rec) {
        const std::int32_t hits = HitsOf(rec);
        if (DrawOf(rec) <= 0 || !CheckedOf(rec) || hits < 0 || hits > kNumbersPerDraw) return;
        const std::uint8_t* comment = CommentOf(rec);
        FoldCommentBytes(comment + 1, comment[0], key);
        const std::uint32_t row = keys.Find(key, comment[0], TCommentIndex::Hash(key, comment[0]));
        if (row == TCommentIndex::kNone) return;
        if (seriesOf[row] == SIZE_MAX) {
            seriesOf[row] = graph.Series.size();
            graph.Series.push_back(Series(rows[row].Comment(), 0, true, true));
        }
        const double y = value == TStakeGraphValue::Hits ? hits : MoneyUnits(ProfitOf(rec));
        graph.Series[seriesOf[row]].Points.push_back({static_cast<double>(DrawOf(rec)), y});
    });
    return graph;
}

TGraph MatchCountsGraph(std::span<const TRatingRec> rows) {
    std::uint32_t largest = 0;
    for (const TRatingRec& r : rows) largest = std::max(largest, r.Stakes);
    TGraph graph;
    graph.Caption = texts::kGraphMatchCountsCaption.Str();
    TGraphSeries normal = Series(texts::kGraphNormalSeries.Str(), kGrey, true, false);
    for (int i = 0; i <= kNumbersPerDraw; ++i)
        normal.Points.push_back({static_cast<double>(i), static_cast<double>(MatchCombinations(i)) * largest /
                                                             static_cast<double>(kAllCombinations)});
    graph.Series.push_back(std::move(normal));
    TCommentIndex shown;  // a second row of one key would only repeat the first's series
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string key = CommentKey(rows[r].CommentBytes.data());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(key.data());
        if (shown.Insert(bytes, key.size(), TCommentIndex::Hash(bytes, key.size()), static_cast<std::uint32_t>(r)) != r)
            continue;
        TGraphSeries s = Series(rows[r].Comment(), 0, true, false);
        for (int i = 0; i <= kNumbersPerDraw; ++i)
            s.Points.push_back(
                {static_cast<double>(i), static_cast<double>(rows[r].ByMatches[static_cast<std::size_t>(i)])});
        graph.Series.push_back(std::move(s));
    }
    return graph;
}

}  // namespace corvel
