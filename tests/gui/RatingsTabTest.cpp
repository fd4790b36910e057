// The "Рейтинг" tab over stakes checked on the sample archive's draw 1500
// (48 23 32 45 24 38), with a stake cost of 2.50 and prizes of 50 for three
// matches and 1000 for six: rows per comment, sorting by a header click, the
// meanings of the "E" columns, the rebuild and the way back to the scenario.
#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

#include <QLineSeries>
#include <map>

#include "GraphChart.h"
#include "GraphShow.h"
#include "GraphWindow.h"
#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "model/ViewSettings.h"
#include "models/RatingsModel.h"
#include "models/ScenarioModel.h"
#include "stakes/StakesFile.h"
#include "tabs/RatingsTab.h"
#include "tabs/StakesTab.h"
#include "tabs/ScenarioTab.h"

namespace corvel {
namespace {

constexpr const char* kIni =
    "[STAKES]\r\nCost=2.5\r\nProfits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=50\r\n"
    "Profit_1_Overlap=6\r\nProfit_1_Profit=1000\r\n";

QString U(const char* text) { return QString::fromUtf8(text); }

TStakeRec Stake(TCombination numbers, const char* comment) {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = 1500;
    r.Sample = 12271512;
    r.Stake.Count = 6;
    for (std::size_t i = 0; i < 6; ++i) r.Stake.Values[i] = numbers[i];
    r.Hits.Count = -1;
    r.Profit = TMoney::FromRaw(-25'000);
    r.SetComment(comment);
    return r;
}

// Answers the next message boxes in turn with the buttons given.
void PressInMessageBoxes(std::vector<QMessageBox::StandardButton> buttons) {
    if (buttons.empty()) return;
    test::AnswerNextModal([buttons](QWidget* w) {
        auto rest = std::vector<QMessageBox::StandardButton>(buttons.begin() + 1, buttons.end());
        PressInMessageBoxes(rest);
        if (auto* box = qobject_cast<QMessageBox*>(w))
            box->done(buttons.front());
        else
            w->close();
    });
}

class RatingsTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        test::WriteBytes(dir_ / "CorvelLotto_6x48.ini", kIni);
        window_ = std::make_unique<gui::MainWindow>(app::DataFiles{dir_.path()}, app::StartupSwitches{});
        window_->show();
        ASSERT_TRUE(window_->Initialise());
        tab_ = window_->Ratings();
        ASSERT_NE(tab_, nullptr);
        window_->RightTabs()->setCurrentWidget(tab_);
    }
    // Alpha: three matches (47.50); alpha: none (-2.50), the same row;
    // Beta: all six (997.50). Checked as they are added.
    void AddStakes() {
        const TStakeRec stakes[] = {Stake({1, 2, 3, 23, 24, 32}, "Alpha"), Stake({1, 2, 3, 4, 5, 6}, "alpha"),
                                    Stake({23, 24, 32, 38, 45, 48}, "Beta")};
        ASSERT_TRUE(window_->Workspace().Stakes().Add(stakes, 1));
    }

    bool Enabled(const char* name) {
        window_->Actions().UpdateAll();
        QAction* action = window_->Actions().Find(name);
        EXPECT_NE(action, nullptr) << name;
        return action && action->isEnabled();
    }
    void Run(const char* name) {
        window_->Actions().UpdateAll();
        QAction* action = window_->Actions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    QString Cell(int row, int column) {
        const gui::RatingsModel& m = *tab_->Model();
        return m.data(m.index(row, column)).toString();
    }
    QStringList Cells(int row, int first, int last) {
        QStringList cells;
        for (int c = first; c <= last; ++c) cells << Cell(row, c);
        return cells;
    }
    void ClickHeader(int column) {
        QHeaderView* header = tab_->View()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // The comment of the ratings file's first record (length byte, then the text).
    std::string FirstInFile() {
        const std::string bytes = test::ReadBytes(dir_ / "CorvelLotto_6x48.lrt");
        if (bytes.size() < 304) return {};
        return bytes.substr(1, static_cast<unsigned char>(bytes[0]));
    }
    QString Panel() { return window_->StatusPanel(5)->text(); }

    test::TempDir dir_;
    std::unique_ptr<gui::MainWindow> window_;
    gui::RatingsTab* tab_ = nullptr;
};

TEST_F(RatingsTabTest, CheckedStakesShowByCommentAndAHeaderClickSortsThem) {
    EXPECT_EQ(Panel(), U("Рейтинг: 0"));
    EXPECT_FALSE(Enabled("RatingsExport"));
    EXPECT_FALSE(Enabled("RatingsToScript"));
    AddStakes();
    EXPECT_EQ(Panel(), U("Рейтинг: 2"));
    ASSERT_EQ(tab_->Model()->rowCount(), 2);
    ASSERT_EQ(tab_->Model()->columnCount(), 20);
    // The average, largest first, until the person chooses.
    EXPECT_EQ(Cells(0, 0, 12), (QStringList{U("Beta"), U("1"), U("6"), U("6.000"), U("997.50"), U("997.50"), U("0"),
                                            U("0"), U("0"), U("0"), U("0"), U("0"), U("1")}));
    EXPECT_EQ(Cells(1, 0, 12), (QStringList{U("Alpha"), U("2"), U("3"), U("1.500"), U("45.00"), U("22.50"), U("1"),
                                            U("0"), U("0"), U("1"), U("0"), U("0"), U("0")}));
    QHeaderView* header = tab_->View()->horizontalHeader();
    EXPECT_EQ(header->sortIndicatorSection(), 3);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    const QList<int> widths{200, 60, 60, 60, 80, 80, 30, 30, 30, 30, 30, 30, 30, 70, 70, 70, 70, 70, 70, 70};
    // At least the list's widths, wider where the caption needs it.
    for (int c = 0; c < 20; ++c) {
        EXPECT_GE(header->sectionSize(c), widths[c]) << c;
        EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << c;
    }
    EXPECT_EQ(header->sectionSize(0), 200);

    // "Ставок": the most stakes first, and the file in that order.
    ClickHeader(1);
    EXPECT_EQ(Cell(0, 0), U("Alpha"));
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(FirstInFile(), "Alpha");
    // Again: the other way round.
    ClickHeader(1);
    EXPECT_EQ(Cell(0, 0), U("Beta"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(FirstInFile(), "Beta");
}

TEST_F(RatingsTabTest, TheModeSwitchGivesTheEColumnsTheirMeaningAndIsKept) {
    AddStakes();
    ClickHeader(1);  // Alpha (two stakes: one with no match, one with three) first
    ASSERT_EQ(Cell(0, 0), U("Alpha"));
    // p_i = C(6,i) C(42,6-i) / C(48,6): p0 = 0.427476, p1 = 0.415918, p3 = 0.018710.
    // Mode 1 (the default): share of stakes with i matches minus p_i, in percent.
    EXPECT_TRUE(window_->Actions().Find("RatingsEffMode1")->isChecked());
    EXPECT_EQ(Cell(0, 13), U("7.252%"));    // 50 - 42.748
    EXPECT_EQ(Cell(0, 14), U("-41.592%"));  // 0 - 41.592
    EXPECT_EQ(Cell(0, 16), U("48.129%"));   // 50 - 1.871
    EXPECT_EQ(Cell(1, 19), U("100.000%"));  // Beta: 100 - 0.000008
    // Mode 0: the expected counts round(2 p_i): 0.855, 0.832, 0.274, 0.037, ...
    Run("RatingsEffMode0");
    EXPECT_EQ(Cells(0, 13, 19), (QStringList{U("1"), U("1"), U("0"), U("0"), U("0"), U("0"), U("0")}));
    EXPECT_EQ(
        ViewSettings::Load(window_->Workspace().Files().ViewSettings()).ReadInt("TFormMain", "RatingsEffMode", -1), 0);
    // Mode 2: share over p_i: 50 / 0.427476 = 116.965, 50 / 0.018710 = 2672.368.
    Run("RatingsEffMode2");
    EXPECT_EQ(Cell(0, 13), U("116.965%"));
    EXPECT_EQ(Cell(0, 14), U("0.000%"));
    EXPECT_EQ(Cell(0, 16), U("2672.368%"));
    EXPECT_TRUE(window_->Actions().Find("RatingsEffMode2")->isChecked());
    EXPECT_FALSE(window_->Actions().Find("RatingsEffMode0")->isChecked());
    EXPECT_EQ(
        ViewSettings::Load(window_->Workspace().Files().ViewSettings()).ReadInt("TFormMain", "RatingsEffMode", -1), 2);
}

TEST_F(RatingsTabTest, ARowMadeByAScenarioStakeBecomesAScenarioLine) {
    const TStakeRec stakes[] = {Stake({1, 2, 3, 23, 24, 32}, "01.001: Mine @ EXCL:5#LAST + TSD1#EVEN:10#LMV:1#ST:3")};
    ASSERT_TRUE(window_->Workspace().Stakes().Add(stakes, 1));
    ASSERT_EQ(tab_->Model()->rowCount(), 1);
    tab_->View()->selectRow(0);
    ASSERT_TRUE(Enabled("RatingsToScript"));
    Run("RatingsToScript");
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lss"),
              "EXCL:5#LAST|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |01.001: Mine\r\n");
    EXPECT_EQ(window_->RightTabs()->currentWidget(), window_->Scenario());
    EXPECT_EQ(window_->Scenario()->Model()->rowCount(), 1);
}

TEST_F(RatingsTabTest, RebuildingAsksFirstAndForgetsTheDeletedStakes) {
    AddStakes();
    // Clearing the stakes asks whether the ratings follow: not yet.
    PressInMessageBoxes({QMessageBox::Yes, QMessageBox::No});
    Run("StakeClear");
    EXPECT_EQ(window_->Workspace().Stakes().File().Count(), 0);
    EXPECT_EQ(Panel(), U("Рейтинг: 2"));
    EXPECT_EQ(window_->Hooks().Messages().back(),
              U("Пересчитать рейтинг только по текущим ставкам?\n\nНакопленные ранее данные по удаленным ставкам будут "
                "потеряны."));
    // F5: No keeps them, Yes rebuilds from the empty file.
    test::PressInNextMessageBox(QMessageBox::No);
    Run("RatingsRefresh");
    EXPECT_EQ(tab_->Model()->rowCount(), 2);
    test::PressInNextMessageBox(QMessageBox::Yes);
    Run("RatingsRefresh");
    EXPECT_EQ(tab_->Model()->rowCount(), 0);
    EXPECT_EQ(Panel(), U("Рейтинг: 0"));
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lrt"), "");
}

}  // namespace
}  // namespace corvel

namespace corvel {
namespace {

// The graph window's lines by name, each with its points.
std::map<QString, QList<QPointF>> GraphLines(QWidget* owner) {
    std::map<QString, QList<QPointF>> lines;
    for (QLineSeries* line : gui::SharedGraphWindow(owner)->Chart()->Lines()) lines[line->name()] = line->points();
    return lines;
}

TEST_F(RatingsTabTest, TheGraphsOfTheSelectedRowAndOfTheDrawsOpenInTheGraphWindow) {
    AddStakes();
    int beta = -1;
    for (int r = 0; r < tab_->Model()->rowCount(); ++r)
        if (Cell(r, 0) == U("Beta")) beta = r;
    ASSERT_GE(beta, 0);
    EXPECT_FALSE(Enabled("RatingsGraphOverlap"));
    tab_->View()->selectRow(beta);
    ASSERT_TRUE(Enabled("RatingsGraphOverlap"));
    Run("RatingsGraphOverlap");
    gui::GraphWindow* graph = gui::SharedGraphWindow(tab_);
    EXPECT_TRUE(graph->isVisible());
    EXPECT_EQ(graph->windowTitle(), U("Количество совпадений"));
    auto lines = GraphLines(tab_);
    ASSERT_EQ(lines.size(), 2u);
    // One stake, all six matched; chance for one stake: C(6,i) C(42,6-i) / C(48,6).
    const QList<QPointF> row = lines[U("Beta")];
    ASSERT_EQ(row.size(), 7);
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(row[i], QPointF(i, i == 6 ? 1 : 0));
    const QList<QPointF> normal = lines[U("Нормальные значения")];
    ASSERT_EQ(normal.size(), 7);
    EXPECT_NEAR(normal[3].y(), 20.0 * 11480 / 12271512, 1e-12);

    // The stakes tab's graph: the three stakes of draw 1500 came to
    // 47.50 - 2.50 + 997.50.
    window_->RightTabs()->setCurrentWidget(window_->Stakes());
    Run("StakesGraphDraws");
    EXPECT_EQ(graph->windowTitle(), U("Суммарный профит по тиражам"));
    lines = GraphLines(tab_);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[U("Суммарный профит ставок по тиражу")], (QList<QPointF>{QPointF(1500, 1042.5)}));
    EXPECT_EQ(lines[U("Накопленное значение")], (QList<QPointF>{QPointF(1500, 1042.5)}));
}

}  // namespace
}  // namespace corvel
