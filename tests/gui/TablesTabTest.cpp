// The regulars tab on the sample archive: regulars added through the dialog
// from three selected combinations, a stake through the stake dialog
// (cancelled, then accepted), a test over three draws, and the tab's toggle.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "dialogs/StakeDialog.h"
#include "dialogs/TableDialog.h"
#include "i18n/Texts.h"
#include "model/ViewSettings.h"
#include "models/TablesModel.h"
#include "stakes/TableRecord.h"
#include "tabs/CombsTab.h"
#include "tabs/TablesTab.h"

namespace corvel {
namespace {

template <typename D>
void AnswerDialog(std::function<void(D&)> act) {
    test::AnswerNextModal([act](QWidget* w) {
        auto* dialog = qobject_cast<D*>(w);
        if (!dialog) {
            ADD_FAILURE() << "expected " << D::staticMetaObject.className() << ", got " << w->metaObject()->className();
            w->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

void SelectRows(QTableView* view, std::initializer_list<int> rows) {
    view->selectionModel()->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

class TablesTabTest : public test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Ws().Tables().Loaded());
    }
    const std::vector<TTableRec>& Rows() { return Ws().Tables().Rows(); }
};

TEST_F(TablesTabTest, AddsFromTheSelectionStakesThroughTheDialogAndTests) {
    const TCombsArray& list = Ws().Combinations().List().Current();
    ASSERT_GE(list.Count(), 5u);
    SelectRows(window_->Combs()->CombsView(), {0, 2, 4});
    AnswerDialog<gui::TableDialog>([](gui::TableDialog& d) {
        // Several combinations: the start field only names them.
        EXPECT_FALSE(d.StartField()->isEnabled());
        EXPECT_EQ(d.StartField()->text(), gui::Q(texts::kTableDialogSelected));
        EXPECT_TRUE(d.UseMyCombButton()->isChecked());
        d.CommentField()->setText(QStringLiteral("Тройка"));
        d.Buttons()->button(QDialogButtonBox::Ok)->click();
    });
    Run("TablesAdd");
    ASSERT_EQ(Rows().size(), 3u);
    const char* comments[] = {"Тройка (1)", "Тройка (3)", "Тройка (5)"};
    const std::size_t positions[] = {0, 2, 4};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Rows()[i].Comment(), comments[i]);
        TCombination start = list[positions[i]];
        std::sort(start.begin(), start.end());
        EXPECT_EQ(Rows()[i].Start, start);
        EXPECT_EQ(Rows()[i].Step, 1);
    }
    QTableView* view = window_->Tables()->View();
    ASSERT_EQ(view->model()->rowCount(), 3);
    EXPECT_EQ(view->model()->data(view->model()->index(1, 0)).toString(), QStringLiteral("Тройка (3)"));

    // The stake dialog cancelled: nothing changes.
    SelectRows(view, {0});
    AnswerDialog<gui::StakeDialog>([](gui::StakeDialog& d) { d.reject(); });
    Run("TablesStakeAdd");
    EXPECT_EQ(Ws().Stakes().File().Count(), 0);
    EXPECT_EQ(Rows()[0].Made, 0);
    EXPECT_EQ(Rows()[0].Current, Rows()[0].Start);

    // Accepted: the stake for draw 1501 is the start moved by one.
    TCombination next = Rows()[0].Start;
    for (std::uint8_t& n : next) n = static_cast<std::uint8_t>(n == 48 ? 1 : n + 1);
    std::sort(next.begin(), next.end());
    SelectRows(view, {0});
    AnswerDialog<gui::StakeDialog>([](gui::StakeDialog& d) { d.Buttons()->button(QDialogButtonBox::Ok)->click(); });
    Run("TablesStakeAdd");
    ASSERT_EQ(Ws().Stakes().File().Count(), 1);
    const TStakeRec stake = Ws().Stakes().File().Read(0);
    EXPECT_EQ(stake.Kind, TStakeKind::Regular);
    EXPECT_EQ(stake.Draw, 1501);
    EXPECT_EQ(stake.Comment(), "Тройка (1)");
    for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(stake.Stake.Values[k], next[k]);
    EXPECT_EQ(Rows()[0].Current, next);
    EXPECT_EQ(Rows()[0].Made, 1);

    // A test over three draws: three stakes for each of the three regulars.
    int asked = 0;
    window_->Tables()->SetCountAsker([&](int maximum, int proposed) {
        ++asked;
        EXPECT_EQ(maximum, 1499);
        EXPECT_EQ(proposed, 10);
        return 3;
    });
    SelectRows(view, {0, 1, 2});
    Run("TablesStakeTest");
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(Ws().Stakes().File().Count(), 10);
    EXPECT_EQ(Ws().Archive().Offset(), 0);
    const int draws[] = {1498, 1499, 1500};
    for (int i = 0; i < 9; ++i) {
        const TStakeRec rec = Ws().Stakes().File().Read(1 + i);
        EXPECT_EQ(rec.Draw, draws[i / 3]) << i;
        EXPECT_TRUE(rec.Checked) << i;
        EXPECT_EQ(rec.Comment(), comments[i % 3]) << i;
    }
    EXPECT_EQ(Rows()[0].Made, 4);
    EXPECT_EQ(Rows()[1].Made, 3);
    EXPECT_EQ(Rows()[2].Made, 3);
}

TEST_F(TablesTabTest, HidingTheTabDropsTheListAndShowingItReadsTheFileAgain) {
    ASSERT_TRUE(Ws().Tables().Add({"Регуляр", true, "", 2}, {}));
    QTabWidget* tabs = window_->RightTabs();
    const int index = tabs->indexOf(window_->Tables());
    ASSERT_TRUE(tabs->isTabVisible(index));
    Run("TabTables");
    EXPECT_FALSE(tabs->isTabVisible(index));
    EXPECT_FALSE(Ws().Tables().Loaded());
    EXPECT_TRUE(Rows().empty());
    window_->Actions().UpdateAll();
    EXPECT_FALSE(window_->Actions().Find("TablesAdd")->isEnabled());
    EXPECT_FALSE(ViewSettings::Load(Ws().Files().ViewSettings()).ReadBool("TFormMain", "TabTables", true));
    Run("TabTables");
    EXPECT_TRUE(tabs->isTabVisible(index));
    EXPECT_EQ(tabs->currentWidget(), window_->Tables());
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].Step, 2);
}

}  // namespace
}  // namespace corvel
