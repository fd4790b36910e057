#include "stats/StatTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

constexpr const char* kDash = "-";

std::string Signed(long long d) { return d > 0 ? "+" + std::to_string(d) : std::to_string(d); }

std::optional<long double> AsNumber(const std::string& cell) {
    std::string t = cell;
    std::replace(t.begin(), t.end(), ',', '.');
    if (t.empty()) return std::nullopt;
    const char* begin = t.data();
    if (*begin == '+') ++begin;  // the signed difference columns write "+d"
    if (begin == t.data() + t.size() || *begin == '+' || (begin != t.data() && *begin == '-')) return std::nullopt;
    double v = 0;
    auto [end, ec] = std::from_chars(begin, t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// The integer nearest to num / den (den > 0); an exact half goes to the even
// neighbour. Exact, unlike rounding a product with a binary fraction, which
// can land just beside a half.
std::int64_t NearestRatio(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den, r = num % den;
    if (r < 0) {  // floor division
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0)) ++q;
    return q;
}

void ApplyPrefetch(TStatDrawArray& values, const TStatTotals& totals, const TPrefetchData& data, double& factor) {
    if (data.AllMax == 0) return;
    // Factor = num / den: the mean of the window's extreme counts over the
    // cache's count when every value has the same count, else the largest
    // window count over the largest cache count. Counts are 32-bit and not
    // negative, so record count x num stays within 64 bits.
    const bool flat = data.AllMax == data.AllMin;
    const std::int64_t num = flat ? std::int64_t{totals.MaxCount} + totals.MinCount : std::int64_t{totals.MaxCount};
    const std::int64_t den = flat ? 2 * std::int64_t{data.AllMax} : std::int64_t{data.AllMax};
    factor = static_cast<double>(num) / static_cast<double>(den);
    for (const TPrefetchRecord& r : data.Records) {
        const std::uint64_t key = PackKey(r.Key);
        for (auto& v : values)
            if (PackKey(v.Key) == key) {
                v.Expected = static_cast<std::int32_t>(NearestRatio(std::int64_t{r.Count} * num, den));
                break;
            }
    }
}

long double Weight(const TStatDrawRec& v, const TStatTotals& t, bool prefetch, const TCdlCoefficients& cdl) {
    const long double dev = prefetch ? v.Count - v.Expected : 0;
    long double r, o, m;
    if (cdl.UsePercents) {
        r = t.TotalCount ? v.Count * 100.0L / t.TotalCount : 0;
        o = prefetch && v.Expected ? dev * 100.0L / v.Expected : 0;
        m = t.MaxDepth ? v.Depth * 100.0L / t.MaxDepth : 0;
    } else {
        r = v.Count;
        o = dev;
        m = v.Depth;
    }
    if (cdl.UseAbsValues) {
        r = std::fabs(r);
        o = std::fabs(o);
        m = std::fabs(m);
    }
    return cdl.CountCoef * r + cdl.DeviationCoef * o + cdl.LevelCoef * m;
}

}  // namespace

std::array<const char*, kStatColumns> StatColumnCaptions() {
    static constexpr i18n::TextId kCaptions[kStatColumns] = {
        texts::kStatColumnValue,       texts::kStatColumnCount,        texts::kStatColumnCountPercent,
        texts::kStatColumnNorm,        texts::kStatColumnDeviation,    texts::kStatColumnDeviationPercent,
        texts::kStatColumnDepth,       texts::kStatColumnDepthPercent, texts::kStatColumnWeight,
        texts::kStatColumnLastDraw,    texts::kStatColumnPeriodMin,    texts::kStatColumnPeriod,
        texts::kStatColumnPeriodMax,   texts::kStatColumnExpectedPrd,  texts::kStatColumnExpectedStf,
        texts::kStatColumnExpectedKrn, texts::kStatColumnFact,         texts::kStatColumnDiffPrd,
        texts::kStatColumnDiffStf,     texts::kStatColumnDiffKrn};
    std::array<const char*, kStatColumns> captions{};
    for (std::size_t c = 0; c < captions.size(); ++c) captions[c] = kCaptions[c].CStr();
    return captions;
}

long long Nearest(long double x) {
    long double floor = std::floor(x);
    long double diff = x - floor;
    long long n = static_cast<long long>(floor);
    if (diff > 0.5L) return n + 1;
    if (diff < 0.5L) return n;
    return n % 2 == 0 ? n : n + 1;
}

TStatTable ComputeStatTable(TCustomStat& stat, const TStatTableInput& in) {
    TStatTable table;
    table.Window = MakeStatWindow(in.Draws.size(), in.Offset, in.WindowLength);
    TStatDrawArray values = ComputeWindowValues(stat, table.Window, in.Sorted);
    table.Totals = StatTotals(values);
    if (in.Prefetch && in.Prefetch->AllMax != 0) {
        table.PrefetchUsed = true;
        ApplyPrefetch(values, table.Totals, *in.Prefetch, table.Factor);
    }

    const bool prefetch = table.PrefetchUsed;
    const TStatTotals& t = table.Totals;
    const long double windowLen = table.Window.Length();
    for (const TStatDrawRec& v : values) {
        TStatTableRow row;
        row.Value = v;
        auto& c = row.Cells;
        c.fill(kDash);
        c[0] = stat.ValueToText(v);
        c[1] = std::to_string(v.Count);
        if (t.TotalCount) c[2] = Format("%.5f", {v.Count * 100.0 / static_cast<double>(t.TotalCount)});
        if (prefetch) {
            c[3] = std::to_string(v.Expected);
            c[4] = std::to_string(v.Count - v.Expected);
            c[5] = v.Expected ? Format("%.5f", {(v.Count - v.Expected) * 100.0 / v.Expected})
                              : (v.Count ? "100.00000" : "0.00000");
        }
        if (v.Depth != 0) {
            c[6] = std::to_string(v.Depth);
            c[7] = Format("%.2f", {v.Depth * 100.0 / t.MaxDepth});
            c[8] = Format("%.2f", {static_cast<double>(Weight(v, t, prefetch, in.Cdl))});
            c[9] = std::to_string(v.LastDraw);
            std::optional<long long> expected[3];
            if (v.Count >= 2) {
                c[10] = std::to_string(v.MinInterval);
                c[11] = Format("%.4f", {static_cast<double>(windowLen / v.Count)});
                c[12] = std::to_string(v.MaxInterval);
                expected[0] = Nearest(windowLen / v.Count + v.LastDraw);
                c[13] = std::to_string(*expected[0]);
            }
            if (v.Count > 0) {
                expected[1] = Nearest(static_cast<long double>(v.Count + 1) * v.LastDraw / v.Count);
                expected[2] = Nearest(static_cast<long double>(v.Count + 2) * (v.LastDraw + 1) / (v.Count + 1));
                c[14] = std::to_string(*expected[1]);
                c[15] = std::to_string(*expected[2]);
            }
            // The draw in which the value came next, looked for among all
            // later draws including those hidden by the offset.
            const int from = FindDrawIndex(in.Draws, v.LastDraw);
            const int fact = from >= 0 ? stat.FindValueDraw(v, from + 1) : -1;
            if (fact >= 0) {
                c[16] = std::to_string(fact);
                for (int k = 0; k < 3; ++k)
                    if (expected[k] && *expected[k] >= 0) c[17 + k] = Signed(*expected[k] - fact);
            }
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

int CompareStatCells(const std::string& a, const std::string& b) {
    const auto x = AsNumber(a), y = AsNumber(b);
    if (x && y) return *x < *y ? -1 : *x > *y ? 1 : 0;
    // A text (such as "-") against a number: the text first. Comparing the two
    // as texts would make "-" < "-2" < "+5" < "-", a cycle.
    if (x || y) return x ? 1 : -1;
    // Case-insensitive for Latin and Russian letters; other characters
    // compare by code point.
    const std::string la = FoldCaseRussian(a), lb = FoldCaseRussian(b);
    return la < lb ? -1 : la > lb ? 1 : 0;
}

int CompareStatRows(const TStatTableRow& a, const TStatTableRow& b, int column) {
    if (column < 0 || column >= kStatColumns) return 0;
    const int cmp =
        CompareStatCells(a.Cells[static_cast<std::size_t>(column)], b.Cells[static_cast<std::size_t>(column)]);
    return cmp != 0 || column == 0 ? cmp : CompareStatCells(a.Cells[0], b.Cells[0]);
}

void SortStatTable(std::vector<TStatTableRow>& rows, int column, bool descending) {
    if (column < 0 || column >= kStatColumns) return;
    std::stable_sort(rows.begin(), rows.end(), [&](const TStatTableRow& a, const TStatTableRow& b) {
        const int cmp = CompareStatRows(a, b, column);
        return descending ? cmp > 0 : cmp < 0;
    });
}

}  // namespace corvel
