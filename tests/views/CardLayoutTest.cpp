// The card and the layout of a hand-made archive: runs and neighbours, the
// layout's rows, columns and marks of the next draw, its colours, and the
// compare lists. Every figure is worked out by hand.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "views/Card.h"
#include "views/Layout.h"

namespace corvel {
namespace {

TDrawsArray Archive() {
    return {test::MakeDraw(1, {1, 2, 10, 20, 30, 40}), test::MakeDraw(2, {2, 11, 21, 31, 41, 48}),
            test::MakeDraw(3, {3, 12, 22, 32, 42, 47}), test::MakeDraw(4, {2, 3, 23, 33, 43, 44}),
            test::MakeDraw(5, {5, 13, 24, 34, 44, 45})};
}

TEST(Card, MarksRunsAndNeighboursAndColoursTheRestByChannel) {
    const auto rows = BuildCard(Archive());
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].Draw, 5);  // newest first
    struct Case {
        std::size_t Row;
        int Number;
        TCardMark Mark;
    };
    const Case cases[] = {
        {0, 44, TCardMark::RunAndNeighbour},  // 44 also in draw 4, 45 beside it
        {0, 45, TCardMark::Neighbour},
        {0, 5, TCardMark::None},
        {1, 2, TCardMark::Neighbour},        // 3 beside it; draws 5 and 3 have no 2
        {1, 3, TCardMark::RunAndNeighbour},  // 3 also in draw 3
        {3, 2, TCardMark::Run},              // draw 2: 2 also in draw 1, nothing beside it
        {4, 2, TCardMark::RunAndNeighbour},  // draw 1: 1 beside it
        {3, 48, TCardMark::None},
        {0, 6, TCardMark::None},  // not drawn
    };
    for (const Case& c : cases) EXPECT_EQ(CardMark(rows, c.Row, c.Number), c.Mark) << c.Row << " " << c.Number;

    constexpr std::uint32_t kWindow = 0xFFFFFF;
    EXPECT_EQ(CardCellColour(rows, 0, 44, true, true, 6, kWindow), 0xFFFF00u);
    EXPECT_EQ(CardCellColour(rows, 3, 2, true, true, 6, kWindow), 0x00FF00u);
    EXPECT_EQ(CardCellColour(rows, 0, 45, true, true, 6, kWindow), 0x00FFFFu);
    // Neither: the channel's colour (5 in channel 1, 13 in channel 3 of width 6).
    EXPECT_EQ(CardCellColour(rows, 0, 5, true, true, 6, kWindow), 0xAAFFAAu);
    EXPECT_EQ(CardCellColour(rows, 0, 13, true, true, 6, kWindow), 0xAAFFFFu);
    // Empty number cells take the channel's colour too (7 in channel 2); extra numbers never.
    EXPECT_EQ(CardCellColour(rows, 0, 7, true, true, 6, kWindow), 0xFFFFAAu);
    EXPECT_EQ(CardCellColour(rows, 0, 49, true, true, 6, kWindow), kWindow);
    // Switched off: the marks go, then the channels.
    EXPECT_EQ(CardCellColour(rows, 0, 44, true, false, 6, kWindow), 0xD4D4D4u);  // channel 8
    EXPECT_EQ(CardCellColour(rows, 0, 44, false, false, 6, kWindow), kWindow);
    EXPECT_EQ(CardCellColour(rows, 0, 5, false, true, 6, kWindow), kWindow);

    // 1 and 48 are no neighbours: the row does not wrap round.
    const auto ends = BuildCard({test::MakeDraw(9, {1, 20, 25, 30, 35, 48})});
    EXPECT_EQ(CardMark(ends, 0, 1), TCardMark::None);
    EXPECT_EQ(CardMark(ends, 0, 48), TCardMark::None);
    EXPECT_TRUE(BuildCard({}).empty());
}

TEST(Layout, PlacesEachNumberByCountAndLastDrawAndMarksTheNextDraw) {
    // Draws 2..4 (one back from the newest); draw 5 follows the window.
    const TLayoutMatrix m = BuildLayout(Archive(), 3, 1);
    EXPECT_EQ(m.Counts, (std::vector<int>{2, 1}));
    EXPECT_EQ(m.LastDraws, (std::vector<int>{4, 3, 2}));
    ASSERT_EQ(m.Cells.size(), 2u);
    EXPECT_EQ(LayoutCellText(m, m.Cells[0][0]), "2, 3");
    EXPECT_EQ(LayoutCellText(m, m.Cells[0][1]), "");
    EXPECT_EQ(LayoutCellText(m, m.Cells[1][0]), "23, 33, 43, [44]");
    EXPECT_EQ(LayoutCellText(m, m.Cells[1][1]), "12, 22, 32, 42, 47");
    EXPECT_EQ(LayoutCellText(m, m.Cells[1][2]), "11, 21, 31, 41, 48");
    EXPECT_TRUE(m.Cells[1][0].Marked);
    EXPECT_FALSE(m.Cells[0][0].Marked);

    // Colours: the marked cell lime; the chequerboard by 5 x 5 blocks; the gradient.
    EXPECT_EQ(LayoutCellColour(m, 2, 1, false), 0x00FF00u);
    EXPECT_EQ(LayoutCellColour(m, 1, 2, false), 0xEAFFEAu);
    EXPECT_EQ(LayoutCellColour(m, 1, 6, false), 0xFFEAEAu);
    EXPECT_EQ(LayoutCellColour(m, 6, 6, false), 0xEAFFEAu);
    EXPECT_EQ(LayoutCellColour(m, 96, 1, false), 0xFFEAEAu);
    // Row 1 of 2, column 1 of 3: 255 - 77.5, 255 - 51.7, 100 + 77.5, rounded.
    EXPECT_EQ(LayoutCellColour(m, 1, 1, true), 0xB2CBB2u);

    // No offset: no draw follows the window, nothing is marked.
    const TLayoutMatrix newest = BuildLayout(Archive(), 3, 0);
    for (const auto& row : newest.Cells)
        for (const auto& cell : row) EXPECT_FALSE(cell.Marked);
    // Longer than the archive: all of it (2 drawn three times).
    const TLayoutMatrix all = BuildLayout(Archive(), 100, 0);
    EXPECT_EQ(all.Counts.front(), 3);
    EXPECT_EQ(all.LastDraws, (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_TRUE(BuildLayout({}, 10, 0).Cells.empty());
}

TEST(Layout, CompareListsGroupTheNumbersByCountInTheOrderMet) {
    const TCompareList list = BuildCompareList(Archive(), 3, 1);
    EXPECT_EQ(list.Caption, "2 - 4");
    ASSERT_EQ(list.Rows.size(), 2u);
    EXPECT_EQ(list.Rows[0].Count, 2);
    EXPECT_EQ(list.Rows[0].Numbers, "2, 3");
    EXPECT_EQ(list.Rows[1].Count, 1);
    EXPECT_EQ(list.Rows[1].Numbers, "23, 33, 43, 44, 12, 22, 32, 42, 47, 11, 21, 31, 41, 48");
    EXPECT_EQ(BuildCompareList(Archive(), 400, 0).Caption, "1 - 5");
}

}  // namespace
}  // namespace corvel
