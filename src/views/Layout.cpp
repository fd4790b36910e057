#include "views/Layout.h"

#include <algorithm>
#include <cmath>

namespace corvel {
namespace {

struct TShemaRec {
    std::uint8_t Number = 0;
    int Count = 0;
    int LastDraw = 0;
};

// The window's first and last archive index; last < first when there is none.
std::pair<int, int> Window(const TDrawsArray& draws, int length, int offset) {
    const int last = static_cast<int>(draws.size()) - 1 - std::max(offset, 0);
    const int first = std::max(0, last - std::max(length, 0) + 1);
    return {first, last};
}

// The numbers of the window, newest draw first, each with its count and the
// draw it was drawn in last, in the order they were met.
std::vector<TShemaRec> CountWindow(const TDrawsArray& draws, int first, int last) {
    std::vector<TShemaRec> met;
    std::array<int, kMaxNumber + 1> at{};
    at.fill(-1);
    for (int i = last; i >= first; --i) {
        const TDrawRec& draw = draws[static_cast<std::size_t>(i)];
        for (const std::uint8_t n : draw.Numbers) {
            if (n < 1 || n > kMaxNumber) continue;
            if (at[n] < 0) {
                at[n] = static_cast<int>(met.size());
                met.push_back({n, 1, draw.Number});
            } else {
                ++met[static_cast<std::size_t>(at[n])].Count;
            }
        }
    }
    return met;
}

}  // namespace

TLayoutMatrix BuildLayout(const TDrawsArray& draws, int length, int offset) {
    TLayoutMatrix m;
    const auto [first, last] = Window(draws, length, offset);
    if (last < first) return m;
    if (offset >= 1 && last + 1 < static_cast<int>(draws.size()))
        for (const std::uint8_t n : draws[static_cast<std::size_t>(last + 1)].Numbers)
            if (n >= 1 && n <= kMaxNumber) m.NextDraw |= std::uint64_t{1} << n;
    const std::vector<TShemaRec> met = CountWindow(draws, first, last);
    for (const TShemaRec& r : met) {
        m.Counts.push_back(r.Count);
        m.LastDraws.push_back(r.LastDraw);
    }
    for (auto* list : {&m.Counts, &m.LastDraws}) {
        std::sort(list->begin(), list->end(), std::greater<>());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    m.Cells.assign(m.Counts.size(), std::vector<TLayoutCell>(m.LastDraws.size()));
    for (const TShemaRec& r : met) {
        const auto row = std::find(m.Counts.begin(), m.Counts.end(), r.Count) - m.Counts.begin();
        const auto col = std::find(m.LastDraws.begin(), m.LastDraws.end(), r.LastDraw) - m.LastDraws.begin();
        TLayoutCell& cell = m.Cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
        cell.Numbers.push_back(r.Number);
        cell.Marked = cell.Marked || (m.NextDraw >> r.Number & 1);
    }
    return m;
}

std::string LayoutCellText(const TLayoutMatrix& m, const TLayoutCell& cell) {
    std::string text;
    for (const std::uint8_t n : cell.Numbers) {
        if (!text.empty()) text += ", ";
        const std::string number = std::to_string(n);
        text += (m.NextDraw >> n & 1) ? "[" + number + "]" : number;
    }
    return text;
}

std::uint32_t LayoutCellColour(const TLayoutMatrix& m, int r, int c, bool gradient) {
    if (r >= 1 && c >= 1 && static_cast<std::size_t>(r) <= m.Cells.size() &&
        static_cast<std::size_t>(c) <= m.Cells[static_cast<std::size_t>(r - 1)].size() &&
        m.Cells[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)].Marked)
        return 0x00FF00;
    if (gradient) {
        const double rows = static_cast<double>(std::max<std::size_t>(m.Counts.size(), 1));
        const double cols = static_cast<double>(std::max<std::size_t>(m.LastDraws.size(), 1));
        auto channel = [](double v) { return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
        return channel(255 - 155 * r / rows) << 16 | channel(255 - 155 * c / cols) << 8 | channel(100 + 155 * r / rows);
    }
    auto inBlock = [](int i) { return i >= 1 && i <= 95 && (i - 1) / 5 % 2 == 0; };
    return inBlock(r) != inBlock(c) ? 0xFFEAEA : 0xEAFFEA;
}

TCompareList BuildCompareList(const TDrawsArray& draws, int length, int offset) {
    TCompareList list;
    const auto [first, last] = Window(draws, length, offset);
    if (last < first) return list;
    list.Caption = std::to_string(draws[static_cast<std::size_t>(first)].Number) + " - " +
                   std::to_string(draws[static_cast<std::size_t>(last)].Number);
    for (const TShemaRec& r : CountWindow(draws, first, last)) {
        auto row =
            std::find_if(list.Rows.begin(), list.Rows.end(), [&](const TCompareRow& x) { return x.Count == r.Count; });
        if (row == list.Rows.end()) {
            list.Rows.push_back({r.Count, std::to_string(r.Number)});
        } else {
            row->Numbers += ", " + std::to_string(r.Number);
        }
    }
    return list;
}

}  // namespace corvel
