// Ctrl+A, Ctrl+C and Ctrl+Del act on the list that has the keyboard focus:
// selecting all rows of the statistics table must not select, copy or delete
// the combinations of the hidden combination list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "MainWindow.h"
#include "TestSupport.h"
#include "models/CombsModel.h"
#include "tabs/CombsTab.h"
#include "tabs/DrawsTab.h"
#include "tabs/StatsTab.h"

namespace corvel {
namespace {

constexpr std::size_t kAll = 12271512;

class FocusShortcuts : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir.path());
        window = std::make_unique<gui::MainWindow>(app::DataFiles{dir.path()}, app::StartupSwitches{});
        window->show();
        ASSERT_TRUE(window->Initialise());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Gives the list the focus and presses Ctrl with the key on it.
    void Press(QTableView* list, Qt::Key key) {
        list->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        ASSERT_TRUE(list->hasFocus());
        QTest::keyClick(list, key, Qt::ControlModifier);
        QApplication::processEvents();
    }
    std::size_t CombsCount() { return window->Workspace().Combinations().List().Current().Count(); }
    QTableView* Combs() { return window->Combs()->CombsView(); }
    QTableView* Stats() { return window->Stats()->Table(); }
    int SelectedRows(QTableView* list) { return static_cast<int>(list->selectionModel()->selectedRows().size()); }

    test::TempDir dir;
    std::unique_ptr<gui::MainWindow> window;
};

TEST_F(FocusShortcuts, KeysInTheStatisticsTableLeaveTheCombinationsAlone) {
    window->RightTabs()->setCurrentWidget(window->Stats());
    const int rows = Stats()->model()->rowCount();
    ASSERT_EQ(rows, 48);  // the numbers 1..48 of the default method
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    Press(Stats(), Qt::Key_A);
    EXPECT_EQ(SelectedRows(Stats()), rows) << "Ctrl+A selects the rows of the table that has the focus";
    EXPECT_FALSE(Combs()->selectionModel()->hasSelection()) << "the hidden combination list was selected";

    Press(Stats(), Qt::Key_Delete);
    EXPECT_EQ(CombsCount(), kAll) << "Ctrl+Del in the statistics table deleted combinations";

    // Ctrl+C copies the table's selected rows: one line per row, the value first.
    Press(Stats(), Qt::Key_C);
    const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), rows);
    QStringList values;
    for (const QString& line : lines) values << line.section(QLatin1Char('\t'), 0, 0);
    values.sort();
    QStringList numbers;
    for (int n = 1; n <= 48; ++n) numbers << QString::number(n);
    numbers.sort();
    EXPECT_EQ(values, numbers);
}

TEST_F(FocusShortcuts, KeysInTheDrawsListLeaveTheCombinationsAlone) {
    QTableView* draws = window->Draws()->View();
    Press(draws, Qt::Key_A);
    EXPECT_EQ(SelectedRows(draws), 1500);
    EXPECT_FALSE(Combs()->selectionModel()->hasSelection());
    Press(draws, Qt::Key_Delete);
    EXPECT_EQ(CombsCount(), kAll);
    EXPECT_EQ(window->Workspace().Archive().Draws().size(), 1500U);
}

TEST_F(FocusShortcuts, KeysInTheCombinationListSelectCopyAndDeleteIt) {
    window->LeftTabs()->setCurrentWidget(window->Combs());
    QGuiApplication::clipboard()->setText(QStringLiteral("3 1 2 4 5 6\r\n7 8 9 10 11 12\r\n"));
    window->Actions().UpdateAll();
    window->Actions().Find("CombsPaste")->trigger();
    ASSERT_EQ(CombsCount(), 2U);

    Press(Combs(), Qt::Key_A);
    EXPECT_EQ(SelectedRows(Combs()), 2);
    EXPECT_FALSE(Stats()->selectionModel()->hasSelection());
    Press(Combs(), Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("03 01 02 04 05 06\r\n07 08 09 10 11 12"));
    Press(Combs(), Qt::Key_Delete);
    EXPECT_EQ(CombsCount(), 0U);
}

}  // namespace
}  // namespace corvel
