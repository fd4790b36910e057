// The graph window: points find their line by name without regard to case,
// lines take the given or the automatic colour, the marks check box governs
// the lines made with marks, and a whole graph is shown point by point.
#include <gtest/gtest.h>

#include <QChart>
#include <QCheckBox>
#include <QLineSeries>
#include <QValueAxis>
#include <memory>

#include "GraphChart.h"
#include "GraphWindow.h"
#include "model/GraphSeries.h"

namespace corvel {
namespace {

TEST(GraphWindow, NamesDifferingInCaseLandInOneLine) {
    gui::GraphWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("График"));
    EXPECT_FALSE(window.isModal());
    QLineSeries* first = window.AddGraphPoint(10, QStringLiteral("Прибыль"), -5, true, false, 0);
    QLineSeries* second = window.AddGraphPoint(11, QStringLiteral("пРИБЫЛЬ"), 7, false, true, 0xFF0000);
    QLineSeries* other = window.AddGraphPoint(12, QStringLiteral("Затраты"), 3, true, false, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(second, first);
    EXPECT_NE(other, first);
    ASSERT_EQ(window.Chart()->Lines().size(), 2);
    ASSERT_EQ(first->count(), 2);
    EXPECT_EQ(first->at(0), QPointF(10, -5));
    EXPECT_EQ(first->at(1), QPointF(11, 7));
    // The line keeps what it was made with: width 2, 3 x 3 markers, no marks.
    EXPECT_EQ(first->name(), QStringLiteral("Прибыль"));
    EXPECT_EQ(first->pen().width(), 2);
    EXPECT_TRUE(first->pointsVisible());
    EXPECT_EQ(first->markerSize(), 3);
    EXPECT_FALSE(first->pointLabelsVisible());
    EXPECT_EQ(first->pointLabelsFormat(), QStringLiteral("@xPoint"));

    // The axes take in every point.
    EXPECT_LE(window.Chart()->AxisX()->min(), 10);
    EXPECT_GE(window.Chart()->AxisX()->max(), 12);
    EXPECT_LE(window.Chart()->AxisY()->min(), -5);
    EXPECT_GE(window.Chart()->AxisY()->max(), 7);
}

TEST(GraphWindow, ColourZeroLeavesTheAutomaticColour) {
    // What the chart gives the first and second lines it takes in by itself.
    QChart reference;
    auto* a = new QLineSeries;
    auto* b = new QLineSeries;
    reference.addSeries(a);
    reference.addSeries(b);

    gui::GraphWindow window;
    QLineSeries* automatic = window.AddGraphPoint(1, QStringLiteral("A"), 1, true, false, 0);
    QLineSeries* second = window.AddGraphPoint(1, QStringLiteral("B"), 2, true, false, 0);
    QLineSeries* given = window.AddGraphPoint(1, QStringLiteral("C"), 3, true, false, 0x123456);
    EXPECT_EQ(automatic->pen().color(), a->pen().color());
    EXPECT_EQ(second->pen().color(), b->pen().color());
    EXPECT_NE(automatic->pen().color(), second->pen().color());
    EXPECT_EQ(given->pen().color(), QColor(0x12, 0x34, 0x56));
    for (const QLineSeries* line : {automatic, second, given}) EXPECT_EQ(line->pen().width(), 2);
}

TEST(GraphWindow, TheMarksBoxGovernsTheLinesMadeWithMarks) {
    gui::GraphWindow window;
    ASSERT_TRUE(window.MarksBox()->isChecked());
    EXPECT_EQ(window.MarksBox()->text(), QStringLiteral("Отображать метки на графиках"));
    QLineSeries* marked = window.AddGraphPoint(1, QStringLiteral("С метками"), 1, true, true, 0);
    QLineSeries* plain = window.AddGraphPoint(1, QStringLiteral("Без меток"), 2, true, false, 0);
    EXPECT_TRUE(marked->pointLabelsVisible());
    EXPECT_FALSE(plain->pointLabelsVisible());

    window.MarksBox()->setChecked(false);
    EXPECT_FALSE(marked->pointLabelsVisible());
    EXPECT_FALSE(plain->pointLabelsVisible());
    // A line made with marks while the box is cleared starts hidden too, and
    // the box brings its marks back with the others.
    QLineSeries* later = window.AddGraphPoint(1, QStringLiteral("Позже"), 3, true, true, 0);
    EXPECT_FALSE(later->pointLabelsVisible());
    window.MarksBox()->setChecked(true);
    EXPECT_TRUE(marked->pointLabelsVisible());
    EXPECT_TRUE(later->pointLabelsVisible());
    EXPECT_FALSE(plain->pointLabelsVisible()) << "a line made without marks stays without";
}

TEST(GraphWindow, ShowReplacesTheGraphAndTakesItsCaption) {
    TGraph graph;
    graph.Caption = "Рейтинг строки";
    graph.Series = {{"Прибыль", 0x0000FF, false, true, {{1, 10}, {2, -20}, {3, 5}}},
                    {"ПРИБЫЛЬ", 0, true, false, {{4, 7}}},
                    {"Ставки", 0, true, false, {{1, 3}}}};
    gui::GraphWindow window;
    window.Show(graph);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Рейтинг строки"));
    QList<QLineSeries*> lines = window.Chart()->Lines();
    ASSERT_EQ(lines.size(), 2);
    ASSERT_EQ(lines[0]->count(), 4) << "the second series has the first one's name in other letters";
    EXPECT_EQ(lines[0]->at(3), QPointF(4, 7));
    EXPECT_EQ(lines[0]->pen().color(), QColor(Qt::blue));
    EXPECT_FALSE(lines[0]->pointsVisible());
    EXPECT_TRUE(lines[0]->pointLabelsVisible());
    EXPECT_EQ(window.MarkedLines(), QList<QLineSeries*>{lines[0]});
    EXPECT_LE(window.Chart()->AxisY()->min(), -20);
    EXPECT_GE(window.Chart()->AxisY()->max(), 10);

    // Showing again replaces what was there.
    window.Show(graph);
    lines = window.Chart()->Lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]->count(), 4);
    EXPECT_EQ(window.MarkedLines().size(), 1);
}

}  // namespace
}  // namespace corvel
