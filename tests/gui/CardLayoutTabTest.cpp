// The card and layout tabs offscreen on the sample archive: a keep filter
// from selected card cells gives the list `corvel filter --keep NUMS:...`
// gives for the same numbers (and combinatorics), an empty selection is
// refused with the list kept, and the layout marks the next draw's numbers.
#include <gtest/gtest.h>

#include <QAction>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <memory>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "QtUiHooks.h"
#include "TestSupport.h"
#include "models/CardModel.h"
#include "tabs/CardTab.h"
#include "tabs/LayoutTab.h"

namespace corvel {
namespace {

class CardLayoutTabTest : public test::MainWindowTest {
  protected:
    void SelectCard(int row, std::initializer_list<int> columns) {
        QTableView* view = window_->Card()->View();
        view->clearSelection();
        for (const int c : columns)
            view->selectionModel()->select(view->model()->index(row, c), QItemSelectionModel::Select);
    }
};

TEST_F(CardLayoutTabTest, AKeepFilterFromTheCardMatchesTheCommandLine) {
    gui::CardModel* card = window_->Card()->Model();
    ASSERT_EQ(card->rowCount(), 1500);
    // Row 0 is draw 1500: 48 23 32 45 24 38.
    EXPECT_EQ(card->data(card->index(0, 0)).toInt(), 1500);
    EXPECT_EQ(card->data(card->index(0, 23)).toInt(), 23);
    EXPECT_FALSE(card->data(card->index(0, 22)).isValid());
    SelectCard(0, {23, 48, 22});  // 22 is an empty cell
    EXPECT_EQ(window_->Card()->SelectedNumbers(), (std::vector<int>{23, 48}));
    Run("CardFilter_Include");
    // Combinations holding 23 or 48: C(48, 6) - C(46, 6).
    EXPECT_EQ(Ws().Combinations().List().Current().Count(), 12'271'512u - 9'366'819u);
    const test::ProcessResult cli =
        test::RunCorvel({"--data-dir", dir_.path().string(), "filter", "--keep", "NUMS:100=23;48"});
    ASSERT_EQ(cli.ExitCode, 0) << cli.Err;
    EXPECT_NE(cli.Out.find("Комбинаций: 2904693"), std::string::npos) << cli.Out;
    const auto& applied = Ws().Combinations().Applied().Rows();
    ASSERT_FALSE(applied.empty());
    EXPECT_EQ(applied.back().Caption, "Карта");
    EXPECT_EQ(applied.back().Values, "23; 48");
}

TEST_F(CardLayoutTabTest, OnlyEmptyCellsSelectedIsRefusedAndTheListStays) {
    SelectCard(0, {1, 2});
    test::PressInNextMessageBox(QMessageBox::Ok);
    Run("CardFilter_Exclude");
    EXPECT_EQ(Ws().Combinations().List().Current().Count(), 12'271'512u);
    ASSERT_FALSE(window_->Hooks().Messages().isEmpty());
    EXPECT_EQ(window_->Hooks().Messages().back(), gui::Q("В выделенном диапазоне нет значений для фильтра!"));
}

TEST_F(CardLayoutTabTest, TheLayoutMarksTheNumbersOfTheDrawAfterTheWindow) {
    gui::LayoutTab* layout = window_->Layout();
    auto brackets = [&] {
        int n = 0;
        for (int r = 0; r < layout->Matrix()->rowCount(); ++r)
            for (int c = 1; c < layout->Matrix()->columnCount(); ++c)
                if (const QTableWidgetItem* item = layout->Matrix()->item(r, c)) n += item->text().count(u'[');
        return n;
    };
    EXPECT_EQ(brackets(), 0);
    // One draw back: the window is draws 1400..1499 and draw 1500 follows it.
    Ws().Archive().SetOffset(1);
    int expected = 0;
    const TDrawsArray& draws = Ws().Archive().Draws();
    for (const std::uint8_t n : draws.back().Numbers) {
        bool seen = false;
        for (std::size_t i = draws.size() - 101; i < draws.size() - 1; ++i)
            for (const std::uint8_t m : draws[i].Numbers) seen = seen || m == n;
        expected += seen;
    }
    EXPECT_EQ(brackets(), expected);
    EXPECT_GT(expected, 0);
    // The compare lists name their windows.
    EXPECT_EQ(layout->CompareList(0)->horizontalHeaderItem(1)->text(), QStringLiteral("1450 - 1499"));
}

}  // namespace
}  // namespace corvel
