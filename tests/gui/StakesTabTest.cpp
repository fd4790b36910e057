// The "Ставки" tab on the sample archive with a stake cost and prize table of
// its own: stakes made from combinations, checked once their draw is added,
// deleted by condition, the stake dialog's refusals, the empty grid and the
// question before staking the whole list.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "QtUiHooks.h"
#include "TestSupport.h"
#include "dialogs/DrawDialog.h"
#include "dialogs/MultiStakeDialog.h"
#include "dialogs/StakeConditionDialog.h"
#include "dialogs/StakeDialog.h"
#include "model/Format.h"
#include "model/ViewSettings.h"
#include "models/CombsModel.h"
#include "models/StakesModel.h"
#include "stakes/StakeInput.h"
#include "stakes/StakesFile.h"
#include "tabs/CombsTab.h"
#include "tabs/StakesTab.h"

namespace corvel {
namespace {

using gui::StakesModel;
using test::AnswerDialog;
using test::PressOk;

constexpr int kAll = 12271512;
// The stake cost and the prize table of the fixture: 2.50 a stake, 50 for
// three matches, 1000 for six; nothing for the other match counts.
constexpr const char* kIni =
    "[STAKES]\r\nCost=2.5\r\nProfits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=50\r\n"
    "Profit_1_Overlap=6\r\nProfit_1_Profit=1000\r\n";
const TMoney kCost = TMoney::FromRaw(25'000);

QString U(const char* text) { return QString::fromUtf8(text); }

TStakeRec Stake(std::int32_t draw, TCombination numbers, const char* comment, TMoney profit) {
    TStakeRec r;
    r.Kind = TStakeKind::Manual;
    r.Draw = draw;
    r.Sample = kAll;
    r.Stake.Count = 6;
    for (std::size_t i = 0; i < 6; ++i) r.Stake.Values[i] = numbers[i];
    r.Hits.Count = -1;
    r.Profit = profit;
    r.SetComment(comment);
    return r;
}

class StakesTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir_.path());
        test::WriteBytes(dir_ / "CorvelLotto_6x48.ini", kIni);
        window_ = std::make_unique<gui::MainWindow>(app::DataFiles{dir_.path()}, app::StartupSwitches{});
        window_->show();
        ASSERT_TRUE(window_->Initialise());
        tab_ = window_->Stakes();
        ASSERT_NE(tab_, nullptr);
        ASSERT_EQ(Ws().Archive().Draws().back().Number, 1500);
    }

    app::Workspace& Ws() { return window_->Workspace(); }
    QAction* Action(const char* name) {
        QAction* action = window_->Actions().Find(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    bool Enabled(const char* name) {
        window_->Actions().UpdateAll();
        return Action(name)->isEnabled();
    }
    void Run(const char* name) {
        window_->Actions().UpdateAll();
        Action(name)->trigger();
    }
    std::vector<TStakeRec> Records() {
        const TStakesFile& file = Ws().Stakes().File();
        std::vector<TStakeRec> out;
        for (std::int64_t i = 0; i < file.Count(); ++i) out.push_back(file.Read(i));
        return out;
    }
    const StakesModel& Model() { return *tab_->Model(); }
    QString Cell(int row, int column) { return Model().data(Model().index(row, column)).toString(); }
    QStringList Row(int row) {
        QStringList cells;
        for (int c = 0; c < StakesModel::ColumnCount; ++c) cells << Cell(row, c);
        return cells;
    }
    QColor Foreground(int row, int column) {
        return Model().data(Model().index(row, column), Qt::ForegroundRole).value<QBrush>().color();
    }
    QColor Background(int row) {
        return Model().data(Model().index(row, 0), Qt::BackgroundRole).value<QBrush>().color();
    }
    QList<bool> Matched(int row, int column) {
        return Model().data(Model().index(row, column), StakesModel::MatchedRole).value<QList<bool>>();
    }
    QString StakesPanel() { return window_->StatusPanel(4)->text(); }
    void SelectCombinations(int first, int last) {
        QTableView* view = window_->Combs()->CombsView();
        const QAbstractItemModel* model = view->model();
        view->selectionModel()->select(QItemSelection(model->index(first, 0), model->index(last, 0)),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // Runs the stake dialog of a command with the numbers and comment typed.
    void AddStakeTyped(const char* command, const char* numbers, const char* comment) {
        AnswerDialog<gui::StakeDialog>([&](gui::StakeDialog& d) {
            d.NumbersField()->setText(U(numbers));
            d.CommentField()->setText(U(comment));
            PressOk(d);
        });
        Run(command);
    }

    test::TempDir dir_;
    std::unique_ptr<gui::MainWindow> window_;
    gui::StakesTab* tab_ = nullptr;
};

TEST_F(StakesTabTest, AnEmptyFileShowsTheHeaderAndOneEmptyRow) {
    EXPECT_EQ(StakesPanel(), U("Ставок: 0"));
    EXPECT_TRUE(tab_->Footer()->text().contains(U("Записей в файле ставок: <b>0</b>")))
        << tab_->Footer()->text().toStdString();
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Row(0), QStringList(QVector<QString>(StakesModel::ColumnCount)));
    QStringList headers;
    QList<int> widths;
    for (int c = 0; c < StakesModel::ColumnCount; ++c) {
        headers << Model().headerData(c, Qt::Horizontal).toString();
        widths << tab_->View()->horizontalHeader()->sectionSize(c);
    }
    EXPECT_EQ(headers,
              (QStringList{U("№ тиража"), U("Вид ставки"), U("Моя ставка"), U("Выборка"), U("Результаты тиража"),
                           U("Совпадений"), U("Совпадения"), U("Профит"), U("Комментарий")}));
    // At least the grid's widths, wider where the caption needs it.
    const QList<int> least{60, 60, 120, 60, 120, 60, 60, 60, 1000};
    for (int c = 0; c < StakesModel::ColumnCount; ++c) {
        EXPECT_GE(widths[c], least[c]) << c;
        EXPECT_GE(widths[c], tab_->View()->horizontalHeader()->sectionSizeHint(c)) << c;
    }
    EXPECT_EQ(widths[StakesModel::CommentColumn], 1000);
    EXPECT_TRUE(Enabled("StakeAdd"));
    for (const char* name : {"StakeDel", "StakeFilter", "StakeClear", "StakesCheckManual"})
        EXPECT_FALSE(Enabled(name)) << name;
}

TEST_F(StakesTabTest, StakingTheSelectedCombinationsWritesASeriesForEach) {
    // Rows 1..3 of the full list.
    SelectCombinations(0, 2);
    ASSERT_TRUE(Enabled("StakeAddSelected"));
    AnswerDialog<gui::MultiStakeDialog>([](gui::MultiStakeDialog& d) {
        EXPECT_EQ(d.DrawNumberField()->value(), 1501);
        EXPECT_EQ(d.DrawsCountField()->value(), 1);
        EXPECT_EQ(d.CommentField()->text(), U("Ставка \"вручную\""));
        d.DrawsCountField()->setValue(2);
        d.CommentField()->setText(U("Серия"));
        PressOk(d);
    });
    Run("StakeAddSelected");

    // Each stake for draws 1501 and 1502; a separator before every record
    // but the first of the empty file.
    const TStakeRec a = Stake(1501, {1, 2, 3, 4, 5, 6}, "Серия", TMoney() - kCost);
    const TStakeRec b = Stake(1501, {1, 2, 3, 4, 5, 7}, "Серия", TMoney() - kCost);
    const TStakeRec c = Stake(1501, {1, 2, 3, 4, 5, 8}, "Серия", TMoney() - kCost);
    auto next = [](TStakeRec r) {
        ++r.Draw;
        return r;
    };
    const TStakeRec sep = BlankStake();
    EXPECT_EQ(Records(), (std::vector<TStakeRec>{a, sep, next(a), sep, b, sep, next(b), sep, c, sep, next(c)}));
    EXPECT_EQ(StakesPanel(), U("Ставок: 11"));
    ASSERT_EQ(Model().rowCount(), 11);
    EXPECT_EQ(Row(0), (QStringList{U("1501"), U("Вручную"), U("1;2;3;4;5;6"), U("12271512"), QString(), QString(),
                                   QString(), U("-2.50"), U("Серия")}));
    EXPECT_EQ(Background(0), QColor(0xEA, 0xFF, 0xEA));
    EXPECT_EQ(Row(1), QStringList(QVector<QString>(StakesModel::ColumnCount)));  // a separator shows nothing
    EXPECT_EQ(Row(10)[0], U("1502"));
    EXPECT_FALSE(window_->Combs()->CombsView()->selectionModel()->hasSelection());
    // The grid ends on the new last row.
    EXPECT_EQ(tab_->View()->currentIndex().row(), 10);
}

TEST_F(StakesTabTest, AddingTheDrawChecksTheStakesAndTheGridShowsTheOutcome) {
    // A double click on the first combination opens the stake dialog with it.
    QTableView* combs = window_->Combs()->CombsView();
    const QModelIndex first = combs->model()->index(0, 1);
    combs->setCurrentIndex(first);
    AnswerDialog<gui::StakeDialog>([](gui::StakeDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Добавление ставки"));
        EXPECT_EQ(d.DrawNumberField()->value(), 1501);
        EXPECT_EQ(d.NumbersField()->text(), U("1;2;3;4;5;6"));
        EXPECT_EQ(d.SumField()->text(), U("21"));
        EXPECT_EQ(d.CommentField()->text(), U("Ставка \"вручную\""));
        PressOk(d);
    });
    emit combs->doubleClicked(first);
    AddStakeTyped("StakeAdd", "15;14;13;12;11;10", "Мимо");
    ASSERT_EQ(Records().size(), 2u);
    EXPECT_EQ(Row(1)[2], U("10;11;12;13;14;15"));
    EXPECT_EQ(Row(0)[4], QString());  // draw 1501 is not drawn yet
    EXPECT_EQ(Row(0)[7], U("-2.50"));

    // Draw 1501 through the draws tab: 5 40 3 41 4 42 holds 3, 4 and 5 of the
    // first stake (three matches: -2.50 + 50 = 47.50) and none of the second.
    AnswerDialog<gui::DrawDialog>([](gui::DrawDialog& d) {
        EXPECT_EQ(d.NumberField()->value(), 1501);
        d.NumbersField()->setText(U("5;40;3;41;4;42;7;8"));
        d.Buttons()->button(QDialogButtonBox::Ok)->click();
    });
    Run("DrawsAdd");
    ASSERT_EQ(Ws().Archive().Draws().back().Number, 1501);

    EXPECT_EQ(Row(0), (QStringList{U("1501"), U("Вручную"), U("1;2;3;4;5;6"), U("12271512"), U("5;40;3;41;4;42"),
                                   U("3"), U("3 4 5"), U("47.50"), U("Ставка \"вручную\"")}));
    EXPECT_EQ(Row(1), (QStringList{U("1501"), U("Вручную"), U("10;11;12;13;14;15"), U("12271512"), U("5;40;3;41;4;42"),
                                   U("0"), QString(), U("-2.50"), U("Мимо")}));
    for (int column : {5, 6, 7}) {
        EXPECT_EQ(Foreground(0, column), QColor(0, 128, 0)) << column;
        EXPECT_EQ(Foreground(1, column), QColor(255, 0, 0)) << column;
    }
    // The matched numbers, for the delegate to draw bold blue.
    EXPECT_EQ(Matched(0, StakesModel::StakeColumn), (QList<bool>{false, false, true, true, true, false}));
    EXPECT_EQ(Matched(0, StakesModel::ResultColumn), (QList<bool>{true, false, true, false, true, false}));
    EXPECT_EQ(Matched(1, StakesModel::ResultColumn), (QList<bool>(6, false)));

    // The summary below: prizes 50.00 for the first stake, none for the
    // second; the balance of both 47.50 - 2.50 = 45.00.
    const QString footer = tab_->Footer()->text();
    EXPECT_TRUE(footer.contains(U("Выигрыши: <b>50.00</b>"))) << footer.toStdString();
    EXPECT_TRUE(footer.contains(U("Баланс проверенных ставок: <b>45.00</b>"))) << footer.toStdString();

    const TStakeRec checked = Records()[0];
    EXPECT_TRUE(checked.Checked);
    EXPECT_EQ(checked.Hits.Count, 3);
    EXPECT_EQ(checked.Profit, TMoney::FromRaw(475'000));
}

TEST_F(StakesTabTest, DeletingByConditionKeepsTheSeparators) {
    // Draw 1500 of the sample: 48 23 32 45 24 38.
    const TStakeRec three = Stake(1500, {1, 2, 3, 23, 24, 32}, "Три", TMoney() - kCost);
    const TStakeRec none = Stake(1500, {1, 2, 3, 4, 5, 6}, "Ноль", TMoney() - kCost);
    const TStakeRec waiting = Stake(1501, {7, 8, 9, 10, 11, 12}, "Ждет", TMoney() - kCost);
    const TStakeRec both[] = {three, none};
    ASSERT_TRUE(Ws().Stakes().Add(both, 1));
    ASSERT_TRUE(Ws().Stakes().Add(waiting, 2));
    ASSERT_EQ(Records().size(), 6u);  // three, none, sep, waiting 1501, sep, waiting 1502
    ASSERT_EQ(Records()[0].Hits.Count, 3);
    ASSERT_EQ(Records()[1].Hits.Count, 0);

    AnswerDialog<gui::StakeConditionDialog>([](gui::StakeConditionDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Удаление по условию"));
        EXPECT_EQ(d.ConditionField()->currentIndex(), 0);
        EXPECT_EQ(d.ValueField()->value(), 0);
        ASSERT_EQ(d.ConditionField()->count(), 5);
        EXPECT_EQ(d.ConditionField()->itemText(3), U("Менее [ < ]"));
        d.ConditionField()->setCurrentIndex(3);
        d.ValueField()->setValue(1);
        PressOk(d);
    });
    Run("StakeFilter");
    // "< 1" takes the stake without matches and the unchecked ones (-1).
    const std::vector<TStakeRec> left = Records();
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].Comment(), "Три");
    EXPECT_EQ(left[1], BlankStake());
    EXPECT_EQ(left[2], BlankStake());
    EXPECT_EQ(StakesPanel(), U("Ставок: 3"));
    EXPECT_EQ(Model().rowCount(), 3);
    EXPECT_EQ(Row(0)[8], U("Три"));
}

TEST_F(StakesTabTest, CancellingTheWholeListQuestionChangesNothing) {
    ASSERT_TRUE(Ws().Stakes().Add(Stake(1501, {1, 2, 3, 4, 5, 6}, "Одна", TMoney() - kCost), 1));
    const std::string before = test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk");
    ASSERT_EQ(before.size(), 312u);
    const auto shown = window_->Hooks().Messages().size();
    test::PressInNextMessageBox(QMessageBox::No);
    Run("StakeAddAll");
    ASSERT_EQ(window_->Hooks().Messages().size(), shown + 1);
    // 12,271,512 stakes of 312 bytes for one draw: 3,828,711,744 bytes.
    const QString question = window_->Hooks().Messages().back();
    EXPECT_TRUE(question.contains(U("(12 271 512)"))) << question.toStdString();
    EXPECT_TRUE(question.contains(U("3.83 ГБ"))) << question.toStdString();
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk"), before);
    EXPECT_EQ(StakesPanel(), U("Ставок: 1"));
}

TEST_F(StakesTabTest, ARandomStakeRepeatsWithTheSameSeed) {
    auto randomNumbers = [&] {
        QString numbers, title;
        AnswerDialog<gui::StakeDialog>([&](gui::StakeDialog& d) {
            numbers = d.NumbersField()->text();
            title = d.windowTitle();
        });
        Run("StakeAddRandom");
        return std::make_pair(numbers, title);
    };
    tab_->SetRandomSeed(20261210);
    const auto first = randomNumbers();
    tab_->SetRandomSeed(20261210);
    const auto again = randomNumbers();
    EXPECT_EQ(first.second, U("Случайная ставка (зерно 20261210)"));
    EXPECT_EQ(again, first);
    EXPECT_TRUE(ParseStakeNumbers(gui::S(first.first)));
    EXPECT_TRUE(Records().empty());  // cancelled
}

TEST_F(StakesTabTest, TheLogSwitchIsKeptAndItsLogsDeleted) {
    EXPECT_FALSE(Action("LogStakes")->isChecked());
    Run("LogStakes");
    EXPECT_TRUE(Ws().Stakes().LogEnabled);
    EXPECT_TRUE(ViewSettings::Load(Ws().Files().ViewSettings()).ReadBool("TFormMain", "StakesLogEnabled", false));

    // A stake for draw 1500 is checked as it is added, and logged.
    ASSERT_TRUE(Ws().Stakes().Add(Stake(1500, {1, 2, 3, 23, 24, 32}, "Три", TMoney() - kCost), 1));
    ASSERT_TRUE(std::filesystem::exists(dir_ / "CorvelLotto_6x48-3.log"));
    test::PressInNextMessageBox(QMessageBox::Ok);
    Run("LogStakesDelete");
    EXPECT_EQ(window_->Hooks().Messages().back(),
              U("Удалено файлов журналов: 1 из 1.\n\nВсе найденные файлы журналов удалены."));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "CorvelLotto_6x48-3.log"));
    test::PressInNextMessageBox(QMessageBox::Ok);
    Run("LogStakesDelete");
    EXPECT_EQ(window_->Hooks().Messages().back(), U("Файлы журналов не найдены!"));
}

TEST_F(StakesTabTest, StakingTheWholeListCanBeStoppedAndLeavesTheFileAsItWas) {
    // Yes to the question, OK in the dialog, then the progress window's
    // cancel button as soon as it shows.
    ASSERT_TRUE(Ws().Stakes().Add(Stake(1501, {1, 2, 3, 4, 5, 6}, "Одна", TMoney() - kCost), 1));
    const std::string before = test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk");
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* cancel = w->findChild<QPushButton*>(QStringLiteral("ProgressCancel"));
                cancel && cancel->isVisible()) {
                cancel->click();
                canceller.stop();
            }
    });
    test::AnswerNextModal([&](QWidget* question) {
        static_cast<QMessageBox*>(question)->done(QMessageBox::Yes);
        AnswerDialog<gui::MultiStakeDialog>([&](gui::MultiStakeDialog& d) {
            canceller.start(0);
            test::PressInNextMessageBox(QMessageBox::Ok);
            PressOk(d);
        });
    });
    Run("StakeAddAll");
    EXPECT_FALSE(canceller.isActive());  // the button was there and clicked
    EXPECT_EQ(window_->Hooks().Messages().back(), U("Создание ставок остановлено: файл ставок не изменен."));
    EXPECT_EQ(test::ReadBytes(dir_ / "CorvelLotto_6x48.lsk"), before);
    EXPECT_EQ(StakesPanel(), U("Ставок: 1"));
    EXPECT_EQ(Model().rowCount(), 1);
    EXPECT_TRUE(window_->Hooks().IsIdle());
}

// The stake dialog's checks, on the dialog alone.
struct DialogCase {
    const char* Name;
    const char* Numbers;
    const char* Comment;
    const char* Refusal;  // null: accepted
};

class StakeDialogChecks : public testing::TestWithParam<DialogCase> {};

TEST_P(StakeDialogChecks, RefusesWhatIsNotASixNumberStakeWithAComment) {
    const DialogCase& c = GetParam();
    gui::QtUiHooks hooks;
    hooks.SetUnattended(true);  // the error box is logged, not shown
    gui::StakeDialog dialog(hooks);
    TStakeRec given = Stake(1501, {1, 2, 3, 4, 5, 6}, "", TMoney() - kCost);
    given.Sample = 77;
    dialog.SetRecord(given, 1);
    dialog.show();
    dialog.NumbersField()->setText(U(c.Numbers));
    EXPECT_EQ(dialog.SumField()->text().isEmpty(), false);
    dialog.CommentField()->setText(U(c.Comment));
    dialog.accept();
    if (c.Refusal) {
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_FALSE(hooks.Messages().isEmpty());
        EXPECT_EQ(hooks.Messages().back(), U(c.Refusal));
        const bool numbersAtFault = std::string(c.Refusal) == "Введена некорректная комбинация!";
        EXPECT_EQ(dialog.focusWidget(), numbersAtFault ? static_cast<QWidget*>(dialog.NumbersField())
                                                       : static_cast<QWidget*>(dialog.CommentField()));
    } else {
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(hooks.Messages().isEmpty());
        TStakeRec expected = Stake(1501, {2, 9, 17, 30, 41, 48}, c.Comment, TMoney() - kCost);
        expected.Sample = 77;  // every other field as given
        EXPECT_EQ(dialog.Record(), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StakeDialogChecks,
    testing::Values(DialogCase{"SixNumbersInAnyOrder", "48;2,30; 17;9;41", "Моя", nullptr},
                    DialogCase{"FiveNumbers", "1;2;3;4;5", "Моя", "Введена некорректная комбинация!"},
                    DialogCase{"Number49", "1;2;3;4;5;49", "Моя", "Введена некорректная комбинация!"},
                    DialogCase{"Number0", "0;1;2;3;4;5", "Моя", "Введена некорректная комбинация!"},
                    DialogCase{"RepeatedNumber", "1;2;3;4;5;5", "Моя", "Введена некорректная комбинация!"},
                    DialogCase{"EmptyComment", "1;2;3;4;5;6", "", "Необходимо ввести комментарий!"}),
    [](const testing::TestParamInfo<DialogCase>& row) { return std::string(row.param.Name); });

TEST(StakeDialog, TheSumFollowsTheNumbersTyped) {
    gui::QtUiHooks hooks;
    gui::StakeDialog dialog(hooks);
    dialog.NumbersField()->setText(U("43;44;45;46;47;48"));
    EXPECT_EQ(dialog.SumField()->text(), U("273"));
    dialog.NumbersField()->setText(U("10;20"));
    EXPECT_EQ(dialog.SumField()->text(), U("30"));
    EXPECT_TRUE(dialog.SumField()->isReadOnly());
    EXPECT_EQ(dialog.CommentField()->maxLength(), 64);
}

}  // namespace
}  // namespace corvel
