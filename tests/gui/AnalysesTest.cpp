// The analyses of the "Расширенная статистика" menu and the combination's
// detail window, offscreen on the sample archive.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineSeries>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <memory>

#include "GraphChart.h"
#include "GraphShow.h"
#include "GraphWindow.h"
#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "dialogs/DetailsDialog.h"
#include "dialogs/RepeatsDialog.h"
#include "model/Progress.h"
#include "tabs/CombsTab.h"
#include "views/RepeatsAnalysis.h"

namespace corvel {
namespace {

class AnalysesTest : public test::MainWindowTest {
  protected:
};

TEST_F(AnalysesTest, TheRepeatsDialogShowsTheEnginesRowsAndALinePerMatchCount) {
    TSilentProgress silent;
    const TRepeatsAnalysis expected = AnalyzeRepeats(window_->Workspace().Archive().Draws(), 20, 5, silent);
    int rows = -1, lines = -1;
    QString firstDraw;
    test::AnswerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<gui::RepeatsDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        dialog->LengthBox()->setValue(20);
        dialog->DepthBox()->setValue(5);
        dialog->Compute();
        // Read once every computation asked for has ended.
        auto read = std::make_shared<std::function<void()>>();
        *read = [&, dialog, read] {
            if (dialog->Computing()) {
                QTimer::singleShot(20, dialog, *read);
                return;
            }
            rows = dialog->Rows()->rowCount();
            firstDraw = dialog->Rows()->item(0, 0)->text();
            lines = static_cast<int>(dialog->Chart()->Lines().size());
            test::SavePicture(dialog, "repeats.png");
            dialog->reject();
        };
        QTimer::singleShot(0, dialog, *read);
    });
    Run("AnalyzeRepeats");
    EXPECT_EQ(rows, static_cast<int>(expected.Rows.size()));
    EXPECT_EQ(firstDraw, QStringLiteral("1500"));
    EXPECT_EQ(lines, expected.LargestMatch);
    // The numbers are kept for the next time.
    EXPECT_EQ(window_->Workspace().Settings().View().ReadInt("TFormRepeats", "DrawsLength", 0), 20);
}

TEST_F(AnalysesTest, TheSumDistributionOpensInTheGraphWindow) {
    Run("TotalSumCombs");
    gui::GraphWindow* graphs = gui::SharedGraphWindow(window_.get());
    ASSERT_NE(graphs, nullptr);
    const auto lines = graphs->Chart()->Lines();
    ASSERT_EQ(lines.size(), 5);
    // Every sum of a combination, 21..273.
    EXPECT_EQ(lines[1]->count(), 253);
}

TEST_F(AnalysesTest, TheCombinationsDetailsHaveNoDrawLines) {
    ASSERT_TRUE(window_->Workspace().Combinations().Paste("1 2 3 4 5 6\r\n"));
    QTableView* view = window_->Combs()->CombsView();
    view->setCurrentIndex(view->model()->index(0, 0));
    QString first, sum;
    test::AnswerNextModal([&](QWidget* w) {
        auto* details = qobject_cast<gui::DetailsDialog*>(w);
        if (!details) {
            w->close();
            return;
        }
        first = details->Properties()->item(0, 0)->text();
        for (int r = 0; r < details->Properties()->rowCount(); ++r)
            if (details->Properties()->item(r, 0)->text() == QStringLiteral("Сумма тиража: все значения"))
                sum = details->Properties()->item(r, 1)->text();
        test::SavePicture(details, "details.png");
        details->reject();
    });
    Run("CombsInfo");
    EXPECT_FALSE(first.isEmpty());
    EXPECT_NE(first, QStringLiteral("Номер тиража:"));
    EXPECT_EQ(sum, QStringLiteral("21"));
}

}  // namespace
}  // namespace corvel
