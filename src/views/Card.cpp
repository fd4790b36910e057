#include "views/Card.h"

#include "model/NumberSet.h"
#include "stats/families/Channels.h"

namespace corvel {

std::vector<TCardRow> BuildCard(const TDrawsArray& draws) {
    std::vector<TCardRow> rows;
    rows.reserve(draws.size());
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        TCardRow row;
        row.Draw = it->Number;
        row.Numbers = NumberSet(it->Numbers);
        row.Extra = it->Extra;
        rows.push_back(row);
    }
    return rows;
}

TCardMark CardMark(const std::vector<TCardRow>& rows, std::size_t row, int number) {
    if (row >= rows.size() || !rows[row].Has(number)) return TCardMark::None;
    const bool run = (row > 0 && rows[row - 1].Has(number)) || (row + 1 < rows.size() && rows[row + 1].Has(number));
    const bool neighbour =
        (number > 1 && rows[row].Has(number - 1)) || (number < kMaxNumber && rows[row].Has(number + 1));
    if (run && neighbour) return TCardMark::RunAndNeighbour;
    if (run) return TCardMark::Run;
    return neighbour ? TCardMark::Neighbour : TCardMark::None;
}

std::uint32_t CardCellColour(const std::vector<TCardRow>& rows, std::size_t row, int column, bool channels,
                             bool sequences, int channelWidth, std::uint32_t window) {
    if (column < 1 || column > kMaxNumber) return window;
    if (sequences && row < rows.size() && rows[row].Has(column)) {
        switch (CardMark(rows, row, column)) {
            case TCardMark::RunAndNeighbour:
                return 0xFFFF00;
            case TCardMark::Run:
                return 0x00FF00;
            case TCardMark::Neighbour:
                return 0x00FFFF;
            case TCardMark::None:
                break;
        }
    }
    return channels ? ChannelColour(column, channelWidth) : window;
}

}  // namespace corvel
