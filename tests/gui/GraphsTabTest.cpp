// The graphs tab over a hand-made archive of six draws whose counts of even
// numbers are 3, 4, 4, 3, 1, 6 (draws 101..106): the plotted values, the mean
// and the most frequent value (a tie goes to the value met first), the
// windows, the redraw only on a change, and the tab's toggle.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>
#include <algorithm>
#include <memory>
#include <vector>

#include "GraphChart.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "model/DrawArchive.h"
#include "model/ViewSettings.h"
#include "stats/StatList.h"
#include "tabs/GraphsTab.h"

namespace corvel {
namespace {

TDrawsArray SixDraws() {
    return {test::MakeDraw(101, {2, 4, 6, 1, 3, 5}),     test::MakeDraw(102, {2, 4, 6, 8, 1, 3}),
            test::MakeDraw(103, {10, 12, 14, 16, 1, 3}), test::MakeDraw(104, {2, 4, 6, 1, 3, 5}),
            test::MakeDraw(105, {9, 1, 3, 5, 7, 2}),     test::MakeDraw(106, {2, 4, 6, 8, 10, 12})};
}

class GraphsTabTest : public ::testing::Test {
  protected:
    void Open(const TDrawsArray& draws) {
        if (!draws.empty()) WriteArchiveFile(dir / "CorvelLotto_6x48.ldr", draws);
        window = std::make_unique<gui::MainWindow>(app::DataFiles{dir.path()}, app::StartupSwitches{});
        window->show();
        ASSERT_TRUE(window->Initialise());
        tab = window->Graphs();
        ASSERT_NE(tab, nullptr);
        window->RightTabs()->setCurrentWidget(tab);
    }
    void SelectEven() {
        const int index = window->Workspace().Statistics().Registry().FindMethod("EVEN");
        ASSERT_GE(index, 0);
        const int line = tab->MethodList()->findData(index);
        ASSERT_GE(line, 0) << "EVEN is a graph method and must be listed";
        tab->MethodList()->setCurrentIndex(line);
    }
    QList<QLineSeries*> Lines() const { return tab->Chart()->Lines(); }
    static std::vector<QPointF> Points(const QLineSeries* line) {
        std::vector<QPointF> points;
        for (int i = 0; i < line->count(); ++i) points.push_back(line->at(i));
        return points;
    }
    QAction* Action(const char* name) const {
        QAction* a = window->Actions().Find(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }

    test::TempDir dir;
    std::unique_ptr<gui::MainWindow> window;
    gui::GraphsTab* tab = nullptr;
};

struct WindowCase {
    const char* Name;
    int Length;
    int Offset;
    std::vector<int> Draws;   // the draw numbers plotted, oldest first
    std::vector<int> Values;  // their counts of even numbers
    double Mean;
    int MostFrequent;
};

class GraphsTabWindow : public GraphsTabTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(GraphsTabWindow, PlotsTheValuesTheirMeanAndTheFirstMostFrequentValue) {
    const WindowCase& c = GetParam();
    Open(SixDraws());
    SelectEven();
    window->Workspace().Archive().SetOffset(c.Offset);
    tab->Length()->setValue(c.Length);

    const QList<QLineSeries*> lines = Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0]->name(), QStringLiteral("Количество четных чисел в тираже (Ч:Н)"));
    EXPECT_EQ(lines[1]->name(), QStringLiteral("Среднее значение"));
    EXPECT_EQ(lines[2]->name(), QStringLiteral("Наиболее часто встречающееся значение"));
    std::vector<QPointF> values, mean, frequent;
    for (std::size_t i = 0; i < c.Draws.size(); ++i) {
        values.emplace_back(c.Draws[i], c.Values[i]);
        mean.emplace_back(c.Draws[i], c.Mean);
        frequent.emplace_back(c.Draws[i], c.MostFrequent);
    }
    EXPECT_EQ(Points(lines[0]), values);
    ASSERT_EQ(Points(lines[1]).size(), mean.size());
    for (std::size_t i = 0; i < mean.size(); ++i) {
        EXPECT_EQ(Points(lines[1])[i].x(), mean[i].x());
        EXPECT_DOUBLE_EQ(Points(lines[1])[i].y(), mean[i].y());
    }
    EXPECT_EQ(Points(lines[2]), frequent);

    // The axes take in every point.
    EXPECT_LE(tab->Chart()->AxisX()->min(), c.Draws.front());
    EXPECT_GE(tab->Chart()->AxisX()->max(), c.Draws.back());
    EXPECT_LE(tab->Chart()->AxisY()->min(), *std::min_element(c.Values.begin(), c.Values.end()));
    EXPECT_GE(tab->Chart()->AxisY()->max(), *std::max_element(c.Values.begin(), c.Values.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GraphsTabWindow,
    ::testing::Values(
        // 3 and 4 occur twice each; 3 is met first.
        WindowCase{"LongerThanTheArchive", 100, 0, {101, 102, 103, 104, 105, 106}, {3, 4, 4, 3, 1, 6}, 21.0 / 6, 3},
        // Every value once: the first, 4, wins.
        WindowCase{"LastFour", 4, 0, {103, 104, 105, 106}, {4, 3, 1, 6}, 14.0 / 4, 4},
        WindowCase{"ThreeEndingOneBeforeTheNewest", 3, 1, {103, 104, 105}, {4, 3, 1}, 8.0 / 3, 4},
        WindowCase{"OneDraw", 1, 0, {106}, {6}, 6, 6}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST_F(GraphsTabTest, LinesAreStyledAsTheTabDraws) {
    Open(SixDraws());
    SelectEven();
    const QList<QLineSeries*> lines = Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0]->pen().color(), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(lines[0]->pen().width(), 2);
    EXPECT_TRUE(lines[0]->pointsVisible());
    EXPECT_EQ(lines[0]->markerSize(), 2);
    // The marker's outline is magenta around the line's green.
    const QImage marker = lines[0]->lightMarker();
    ASSERT_FALSE(marker.isNull());
    EXPECT_EQ(marker.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(marker.pixelColor(marker.width() / 2, marker.height() / 2), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(lines[1]->pen().color(), QColor(Qt::blue));
    EXPECT_FALSE(lines[1]->pointsVisible());
    EXPECT_EQ(lines[2]->pen().color(), QColor(Qt::red));
    EXPECT_FALSE(lines[2]->pointsVisible());

    // The check box governs the marks of the first line only.
    EXPECT_FALSE(lines[0]->pointLabelsVisible());
    tab->MarksBox()->setChecked(true);
    EXPECT_TRUE(lines[0]->pointLabelsVisible());
    EXPECT_FALSE(lines[1]->pointLabelsVisible());
    EXPECT_FALSE(lines[2]->pointLabelsVisible());
    // A new drawing takes the check box's state.
    Action("DrawsGraphDraw")->trigger();
    ASSERT_EQ(Lines().size(), 3);
    EXPECT_TRUE(Lines()[0]->pointLabelsVisible());
    tab->MarksBox()->setChecked(false);
    EXPECT_FALSE(Lines()[0]->pointLabelsVisible());
}

TEST_F(GraphsTabTest, RedrawsOnlyWhenSomethingItShowsChanged) {
    Open(SixDraws());
    SelectEven();
    ASSERT_EQ(Lines().size(), 3);
    const int drawn = tab->Drawings();
    tab->Refresh(false);
    window->RefreshViews(false);
    EXPECT_EQ(tab->Drawings(), drawn) << "nothing changed, yet the graphs were drawn again";

    // "Обновить" draws again whatever changed.
    window->Actions().UpdateAll();
    ASSERT_TRUE(Action("DrawsGraphDraw")->isEnabled());
    Action("DrawsGraphDraw")->trigger();
    EXPECT_EQ(tab->Drawings(), drawn + 1);

    // The newest draw edited in place: the archive keeps its size, and the
    // graph shows the new count (draw 106 now has two even numbers).
    ASSERT_TRUE(window->Workspace().Archive().ReplaceDraw(5, test::MakeDraw(106, {2, 4, 1, 3, 5, 7})));
    EXPECT_EQ(tab->Drawings(), drawn + 2);
    ASSERT_EQ(Lines().size(), 3);
    EXPECT_EQ(Lines()[0]->at(5), QPointF(106, 2));
    EXPECT_DOUBLE_EQ(Lines()[1]->at(0).y(), 17.0 / 6);

    // The offset is an input too.
    window->Workspace().Archive().SetOffset(2);
    EXPECT_EQ(tab->Drawings(), drawn + 3);
    EXPECT_EQ(Lines()[0]->count(), 4);
    EXPECT_EQ(Lines()[0]->at(3).x(), 104);
}

TEST_F(GraphsTabTest, TheLengthBoxDrawsOnEnterAndIsKept) {
    Open(SixDraws());
    SelectEven();
    EXPECT_EQ(tab->Length()->value(), 100);
    EXPECT_EQ(Lines()[0]->count(), 6);
    auto* edit = tab->Length()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("2"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(tab->Length()->value(), 2);
    ASSERT_EQ(Lines().size(), 3);
    EXPECT_EQ(Points(Lines()[0]), (std::vector<QPointF>{{105, 1}, {106, 6}}));
    // Text outside the limits is not taken.
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("0"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(tab->Length()->value(), 2);
    EXPECT_EQ(Lines()[0]->count(), 2);

    // The length is written to the view settings when the window closes.
    window->close();
    window.reset();
    const ViewSettings view = ViewSettings::Load(dir / "corvel-lotto.frm");
    EXPECT_EQ(view.ReadInt("TFormMain", "DrawsGraphLen", 0), 2);
}

TEST_F(GraphsTabTest, AnEmptyArchiveShowsNoLines) {
    Open({});
    SelectEven();
    EXPECT_TRUE(Lines().isEmpty());
    window->Actions().UpdateAll();
    EXPECT_FALSE(Action("DrawsGraphDraw")->isEnabled());
}

TEST_F(GraphsTabTest, TheToggleHidesAndShowsTheTabAndKeepsTheChoice) {
    Open(SixDraws());
    SelectEven();
    QTabWidget* tabs = window->RightTabs();
    const int index = tabs->indexOf(tab);
    ASSERT_GE(index, 0);
    EXPECT_EQ(tabs->tabText(index), QStringLiteral("Графики"));
    QAction* toggle = Action("TabGraps");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text(), QStringLiteral("Вкладка \"Графики\""));
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(tabs->isTabVisible(index));

    toggle->trigger();
    EXPECT_FALSE(tabs->isTabVisible(index));
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(ViewSettings::Load(dir / "corvel-lotto.frm").ReadBool("TFormMain", "TabGraphs", true));

    // While hidden the tab draws nothing; shown again it comes to the front
    // with the graph of the changed archive.
    const int drawn = tab->Drawings();
    ASSERT_TRUE(window->Workspace().Archive().ReplaceDraw(5, test::MakeDraw(106, {2, 4, 1, 3, 5, 7})));
    EXPECT_EQ(tab->Drawings(), drawn);
    toggle->trigger();
    EXPECT_TRUE(tabs->isTabVisible(index));
    EXPECT_EQ(tabs->currentWidget(), tab);
    EXPECT_EQ(tab->Drawings(), drawn + 1);
    ASSERT_EQ(Lines().size(), 3);
    EXPECT_EQ(Lines()[0]->at(5), QPointF(106, 2));
    EXPECT_TRUE(ViewSettings::Load(dir / "corvel-lotto.frm").ReadBool("TFormMain", "TabGraphs", false));

    // A hidden tab stays hidden at the next start.
    toggle->trigger();
    window->close();
    window.reset();
    gui::MainWindow again(app::DataFiles{dir.path()}, app::StartupSwitches{});
    again.show();
    ASSERT_TRUE(again.Initialise());
    EXPECT_FALSE(again.RightTabs()->isTabVisible(again.RightTabs()->indexOf(again.Graphs())));
    EXPECT_FALSE(again.Actions().Find("TabGraps")->isChecked());
}

}  // namespace
}  // namespace corvel
