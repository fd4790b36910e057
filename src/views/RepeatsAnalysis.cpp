#include "views/RepeatsAnalysis.h"

#include <algorithm>
#include <array>

#include "i18n/Texts.h"
#include "model/NumberSet.h"
#include "model/Format.h"

namespace corvel {
namespace {}  // namespace

std::uint32_t PaletteColour(std::size_t i) {
    // Distinct, readable on white, and fixed, so that two runs draw the same picture.
    static constexpr std::array<std::uint32_t, 10> kPalette = {0x1F77B4, 0xD62728, 0x2CA02C, 0xFF7F0E, 0x9467BD,
                                                               0x8C564B, 0xE377C2, 0x17BECF, 0xBCBD22, 0x7F7F7F};
    return kPalette[i % kPalette.size()];
}

TRepeatsAnalysis AnalyzeRepeats(const TDrawsArray& draws, int length, int depth, TProgress& progress) {
    TRepeatsAnalysis result;
    const int count = static_cast<int>(draws.size());
    if (count == 0 || length < 1 || depth < 1) return result;
    const int first = count - std::min(length, count);
    for (int p = count - 1; p >= first; --p) {
        if (progress.StopRequested()) break;
        const std::size_t rowsOfDraw = result.Rows.size();
        const TDrawRec& draw = draws[static_cast<std::size_t>(p)];
        const int oldest = std::max(0, p - depth);
        for (int q = p - 1; q >= oldest; --q) {
            const TDrawRec& earlier = draws[static_cast<std::size_t>(q)];
            const int k = SharedNumbers(draw.Numbers, earlier.Numbers);
            if (k == 0) continue;
            result.LargestMatch = std::max(result.LargestMatch, k);
            auto row = std::find_if(result.Rows.begin() + static_cast<std::ptrdiff_t>(rowsOfDraw), result.Rows.end(),
                                    [k](const TRepeatRow& r) { return r.Matches == k; });
            if (row == result.Rows.end()) {
                result.Rows.push_back({draw.Number, k, 1, {earlier.Number}});
            } else {
                ++row->Repeats;
                row->Earlier.push_back(earlier.Number);
            }
        }
        progress.Step();
    }
    return result;
}

TGraph RepeatsGraph(const TRepeatsAnalysis& analysis) {
    TGraph graph;
    graph.Caption = texts::kRepeatsCaption.Str();
    for (int k = 1; k <= analysis.LargestMatch; ++k) {
        TGraphSeries s;
        s.Name = Format(texts::kRepeatsSeries, {k});
        s.Colour = PaletteColour(static_cast<std::size_t>(k - 1));
        graph.Series.push_back(std::move(s));
    }
    for (auto row = analysis.Rows.rbegin(); row != analysis.Rows.rend(); ++row)
        graph.Series[static_cast<std::size_t>(row->Matches - 1)].Points.push_back(
            {static_cast<double>(row->Draw), static_cast<double>(row->Repeats)});
    return graph;
}

std::string RepeatDrawsText(const TRepeatRow& row) {
    std::string text;
    for (const int n : row.Earlier) {
        if (!text.empty()) text += ' ';
        text += std::to_string(n);
    }
    return text;
}

}  // namespace corvel
