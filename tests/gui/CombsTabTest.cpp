// The "Комбинации" tab on the sample data: the list read in place, cutting
// and undo, the clipboard, the generation dialog and combination files.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <set>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "combs/CombsEdit.h"
#include "dialogs/GenerateDialog.h"
#include "model/GameSettingsFile.h"
#include "model/ViewSettings.h"
#include "models/AppliedFiltersModel.h"
#include "models/CombsModel.h"
#include "tabs/CombsTab.h"

namespace corvel {
namespace {

constexpr int kAll = 12271512;

QString Cell(const QAbstractItemModel& model, int row, int column) {
    return model.data(model.index(row, column)).toString();
}

QStringList Row(const QAbstractItemModel& model, int row) {
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c) cells << Cell(model, row, c);
    return cells;
}

class CombsTabTest : public test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        tab_ = window_->Combs();
        ASSERT_NE(tab_, nullptr);
        tab_->SetFileChooser([this](bool save) {
            chooserCalls_.push_back(save);
            return chosenFile_;
        });
    }

    QAction* Action(const char* name) {
        QAction* action = window_->Actions().Find(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    bool Enabled(const char* name) {
        window_->Actions().UpdateAll();
        return Action(name)->isEnabled();
    }
    // As a click does: on the action's state of the moment (a disabled
    // action does not run).
    void Run(const char* name) {
        window_->Actions().UpdateAll();
        Action(name)->trigger();
    }
    // Runs a command that ends with a message box, and answers it.
    QString RunWithMessage(const char* name) {
        const auto shown = window_->Hooks().Messages().size();
        test::PressInNextMessageBox(QMessageBox::Ok);
        Run(name);
        if (window_->Hooks().Messages().size() == shown) return {};
        return window_->Hooks().Messages().back();
    }
    void Paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        Run("CombsPaste");
    }
    std::size_t Count() { return window_->Workspace().Combinations().List().Current().Count(); }
    const gui::CombsModel& Model() { return *tab_->Model(); }
    const gui::AppliedFiltersModel& Filters() { return *tab_->FiltersModel(); }
    QString CombsPanel() { return window_->StatusPanel(3)->text(); }

    gui::CombsTab* tab_ = nullptr;
    QString chosenFile_;
    std::vector<bool> chooserCalls_;
};

TEST_F(CombsTabTest, ModelShowsTheWholeListReadInPlace) {
    const gui::CombsModel& model = Model();
    ASSERT_EQ(model.rowCount(), kAll);
    EXPECT_EQ(tab_->CombsView()->model(), &model);
    EXPECT_EQ(tab_->CombsView()->verticalHeader()->count(), kAll);
    EXPECT_EQ(tab_->CombsView()->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);

    QStringList headers;
    for (int c = 0; c < model.columnCount(); ++c) headers << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              (QStringList{QStringLiteral("№ п.п."), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                           QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("S")}));
    EXPECT_EQ(Row(model, 0),
              (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                           QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("21")}));
    EXPECT_EQ(Row(model, kAll - 1),
              (QStringList{QStringLiteral("12271512"), QStringLiteral("43"), QStringLiteral("44"), QStringLiteral("45"),
                           QStringLiteral("46"), QStringLiteral("47"), QStringLiteral("48"), QStringLiteral("273")}));
    EXPECT_FALSE(model.data(model.index(kAll, 1)).isValid());

    // The model holds no copy: a change of the engine's list shows at once.
    TCombination& last = window_->Workspace().Combinations().List().Current().Data()[kAll - 1];
    const TCombination saved = last;
    last[0] = 7;
    EXPECT_EQ(Cell(model, kAll - 1, 1), QStringLiteral("7"));
    EXPECT_EQ(Cell(model, kAll - 1, gui::CombsModel::SumColumn), QStringLiteral("237"));
    last = saved;
}

TEST_F(CombsTabTest, ExcludingTheLastTenDrawsIsUndone) {
    const TDrawsArray& draws = window_->Workspace().Archive().Draws();
    ASSERT_GE(draws.size(), 10U);
    std::set<std::uint64_t> drawn;
    for (std::size_t i = draws.size() - 10; i < draws.size(); ++i) drawn.insert(SortedCombinationKey(draws[i].Numbers));
    const auto left = static_cast<std::size_t>(kAll) - drawn.size();

    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_FALSE(Enabled("CombsDelExists"));  // the box starts at 0
    QSpinBox* box = tab_->DrawsExcludeBox();
    box->setValue(10);
    ASSERT_TRUE(Enabled("CombsDelExists"));
    // Enter in the box runs the command.
    QTest::keyClick(box, Qt::Key_Return);

    ASSERT_EQ(Count(), left);
    EXPECT_EQ(Model().rowCount(), static_cast<int>(left));
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: %1").arg(left));
    ASSERT_EQ(Filters().rowCount(), 1);
    EXPECT_EQ(Row(Filters(), 0),
              (QStringList{QStringLiteral("Последние тиражи"), QStringLiteral("10"), QString::number(left)}));
    EXPECT_FALSE(Filters().data(Filters().index(0, 0), gui::AppliedFiltersModel::KeepRole).toBool());
    for (int row = 0; row < Model().rowCount(); row += 997) {
        const TCombination* c = Model().Combination(row);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(drawn.count(SortedCombinationKey(*c)), 0U) << row;
    }

    ASSERT_TRUE(Enabled("CombsUndo"));
    Run("CombsUndo");
    EXPECT_EQ(Count(), static_cast<std::size_t>(kAll));
    EXPECT_EQ(Model().rowCount(), kAll);
    EXPECT_EQ(Filters().rowCount(), 0);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 12271512"));
    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_TRUE(window_->Hooks().Messages().isEmpty())
        << window_->Hooks().Messages().join(QStringLiteral("\n")).toStdString();

    // The box's value is kept in the view settings when the window closes.
    window_->close();
    EXPECT_EQ(ViewSettings::Load(app::DataFiles{dir_.path()}.ViewSettings()).ReadInt("TFormMain", "DrawsExclude", 0),
              10);
}

TEST_F(CombsTabTest, PasteOfABadLineIsRefusedAndCopyWritesTheSelectedRows) {
    tab_->DrawsExcludeBox()->setValue(1);
    Run("CombsDelExists");
    const std::size_t before = Count();
    ASSERT_EQ(Filters().rowCount(), 1);

    QGuiApplication::clipboard()->setText(QStringLiteral("01 02 03 04 05 06\r\n1 2 3\r\n"));
    ASSERT_TRUE(Enabled("CombsPaste"));
    EXPECT_EQ(RunWithMessage("CombsPaste"), QStringLiteral("Некорректная комбинация: \"1 2 3\"!"));
    EXPECT_EQ(Count(), before);
    EXPECT_EQ(Model().rowCount(), static_cast<int>(before));
    EXPECT_EQ(Filters().rowCount(), 1);
    EXPECT_TRUE(Enabled("CombsUndo"));

    Paste(QStringLiteral("5 1 2 3 4 6\r\n7,8,9;10|11.12\r\n"));
    ASSERT_EQ(Count(), 2U);
    EXPECT_EQ(Row(Model(), 0),
              (QStringList{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("2"),
                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("21")}));
    EXPECT_EQ(Filters().rowCount(), 0);
    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 2"));

    QGuiApplication::clipboard()->clear();
    Run("CombsSelectAll");
    Run("CombsCopy");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("05 01 02 03 04 06\r\n07 08 09 10 11 12"));

    EXPECT_EQ(RunWithMessage("CombsCheckNums"),
              QStringLiteral("В текущем списке комбинаций содержится 12 уникальных номеров"));
}

TEST_F(CombsTabTest, GenerationDialogBuildsTheListAndStoresTheSettings) {
    bool answered = false;
    test::AnswerNextModal([&answered](QWidget* w) {
        auto* dialog = qobject_cast<gui::GenerateDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        answered = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Создание нового списка комбинаций"));
        EXPECT_EQ(dialog->ModeBox()->count(), 5);
        EXPECT_EQ(dialog->ModeBox()->currentIndex(), 0);
        EXPECT_TRUE(dialog->SaveDefaultBox()->isChecked());
        EXPECT_FALSE(dialog->ParametersEdit()->isEnabled());
        dialog->ModeBox()->setCurrentIndex(2);
        dialog->ParametersEdit()->setText(QStringLiteral("1;2;3;4;5;6;7"));
        dialog->accept();
    });
    Run("CombsGen");
    ASSERT_TRUE(answered);

    ASSERT_EQ(Count(), 7U);
    EXPECT_EQ(Model().rowCount(), 7);
    EXPECT_EQ(Row(Model(), 6),
              (QStringList{QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                           QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("27")}));
    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 7"));

    const auto iniFile = app::DataFiles{dir_.path()}.GameSettings();
    TGameSettings stored;
    LoadGenerateSettings(iniFile, stored);
    EXPECT_EQ(stored.CombsGenerateMode, 2);
    EXPECT_EQ(stored.CombsGenerateParameters, "1;2;3;4;5;6;7");

    // Without the check box the choice is used once: neither the file nor
    // the settings in memory change. The dialog opens with the stored choice.
    answered = false;
    test::AnswerNextModal([&answered](QWidget* w) {
        auto* dialog = qobject_cast<gui::GenerateDialog*>(w);
        if (!dialog) {
            w->close();
            return;
        }
        answered = true;
        EXPECT_EQ(dialog->ModeBox()->currentIndex(), 2);
        EXPECT_EQ(dialog->ParametersEdit()->text(), QStringLiteral("1;2;3;4;5;6;7"));
        dialog->ParametersEdit()->setText(QStringLiteral("1;2;3;4;5;6;7;8"));
        dialog->SaveDefaultBox()->setChecked(false);
        dialog->accept();
    });
    Run("CombsGen");
    ASSERT_TRUE(answered);
    EXPECT_EQ(Count(), 28U);  // C(8, 6)
    TGameSettings again;
    LoadGenerateSettings(iniFile, again);
    EXPECT_EQ(again.CombsGenerateParameters, "1;2;3;4;5;6;7");
    EXPECT_EQ(window_->Workspace().Statistics().Registry().Settings.CombsGenerateParameters, "1;2;3;4;5;6;7");
    EXPECT_EQ(window_->Workspace().Statistics().Registry().Settings.CombsGenerateMode, 2);
    EXPECT_TRUE(window_->Hooks().Messages().isEmpty())
        << window_->Hooks().Messages().join(QStringLiteral("\n")).toStdString();
}

TEST(GenerateDialog, ParametersAndFileButtonFollowTheMode) {
    int asked = 0;
    gui::GenerateDialog dialog(9, QString(), [&asked] {
        ++asked;
        return QStringLiteral("/data/my list.lcv");
    });
    EXPECT_EQ(dialog.ModeBox()->currentIndex(), 0);  // an unknown mode means the full list
    EXPECT_FALSE(dialog.ParametersEdit()->isEnabled());
    EXPECT_FALSE(dialog.BrowseButton()->isEnabled());
    for (int mode = 1; mode <= 3; ++mode) {
        dialog.ModeBox()->setCurrentIndex(mode);
        EXPECT_TRUE(dialog.ParametersEdit()->isEnabled()) << mode;
        EXPECT_FALSE(dialog.BrowseButton()->isEnabled()) << mode;
    }
    dialog.ModeBox()->setCurrentIndex(4);
    EXPECT_TRUE(dialog.ParametersEdit()->isEnabled());
    ASSERT_TRUE(dialog.BrowseButton()->isEnabled());
    dialog.BrowseButton()->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(dialog.Parameters(), QStringLiteral("/data/my list.lcv"));
    EXPECT_EQ(dialog.Mode(), 4);
    EXPECT_EQ(gui::CombsFileDialogFilter(), QStringLiteral("Файлы комбинаций (*.lcv)"));
}

TEST_F(CombsTabTest, SavedFileOpensAsTheSameList) {
    Paste(QStringLiteral("48 1 2 3 4 5\r\n6 7 8 9 10 11\r\n12 13 14 15 16 17\r\n"));
    ASSERT_EQ(Count(), 3U);
    const auto file = dir_ / "my list.lcv";
    chosenFile_ = QString::fromStdString(file.string());
    Run("CombsSave");
    ASSERT_EQ(chooserCalls_, std::vector<bool>{true});
    EXPECT_EQ(test::ReadBytes(file), "48;1;2;3;4;5\r\n6;7;8;9;10;11\r\n12;13;14;15;16;17\r\n");

    // Cut the list: row 2 goes, with its step in the applied filters.
    tab_->CombsView()->selectRow(1);
    ASSERT_TRUE(Enabled("CombsDelSelected"));
    Run("CombsDelSelected");
    ASSERT_EQ(Count(), 2U);
    EXPECT_EQ(Cell(Model(), 1, 1), QStringLiteral("12"));
    ASSERT_EQ(Filters().rowCount(), 1);
    EXPECT_EQ(Row(Filters(), 0),
              (QStringList{QStringLiteral("Выделенные комбинации"), QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_FALSE(Enabled("CombsDelSelected"));  // the selection went with the rows
    EXPECT_TRUE(Enabled("CombsUndo"));

    Run("CombsOpen");
    ASSERT_EQ(Count(), 3U);
    EXPECT_EQ(Row(Model(), 0),
              (QStringList{QStringLiteral("1"), QStringLiteral("48"), QStringLiteral("1"), QStringLiteral("2"),
                           QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("63")}));
    EXPECT_EQ(Cell(Model(), 1, 1), QStringLiteral("6"));
    EXPECT_EQ(Cell(Model(), 2, 1), QStringLiteral("12"));
    EXPECT_EQ(Filters().rowCount(), 0);
    EXPECT_FALSE(Enabled("CombsUndo"));
    EXPECT_TRUE(window_->Hooks().Messages().isEmpty())
        << window_->Hooks().Messages().join(QStringLiteral("\n")).toStdString();

    // A file that cannot be read leaves the list as it was.
    tab_->CombsView()->selectRow(0);
    Run("CombsDelSelected");
    ASSERT_EQ(Count(), 2U);
    chosenFile_ = QString::fromStdString((dir_ / "missing.lcv").string());
    const QString error = RunWithMessage("CombsOpen");
    EXPECT_TRUE(error.startsWith(QStringLiteral("Ошибка чтения файла \"%1\"!").arg(chosenFile_)))
        << error.toStdString();
    EXPECT_EQ(Count(), 2U);
    EXPECT_EQ(Filters().rowCount(), 1);
    EXPECT_TRUE(Enabled("CombsUndo"));

    // A cancelled file dialog does nothing.
    chosenFile_.clear();
    Run("CombsOpen");
    EXPECT_EQ(Count(), 2U);
}

TEST_F(CombsTabTest, FocusedCombinationIsFoundInTheArchiveInAnyOrder) {
    const TDrawsArray& draws = window_->Workspace().Archive().Draws();
    const TDrawRec& newest = draws.back();
    const auto& n = newest.Numbers;
    Paste(QStringLiteral("%1 %2 %3 %4 %5 %6")
              .arg(int{n[5]})
              .arg(int{n[4]})
              .arg(int{n[3]})
              .arg(int{n[2]})
              .arg(int{n[1]})
              .arg(int{n[0]}));
    ASSERT_EQ(Count(), 1U);
    EXPECT_FALSE(Enabled("CombsFindInDraws"));  // no row focused yet
    tab_->CombsView()->setCurrentIndex(Model().index(0, 1));
    ASSERT_TRUE(Enabled("CombsFindInDraws"));
    const QString text = RunWithMessage("CombsFindInDraws");
    const QString expected = QStringLiteral(
                                 "Выделенная комбинация найдена в следующих тиражах:\n\nТираж № %1 от %2, "
                                 "значения: %3;%4;%5;%6;%7;%8 e:%9;%10")
                                 .arg(newest.Number)
                                 .arg(QString::fromStdString(newest.DateText()))
                                 .arg(int{n[0]})
                                 .arg(int{n[1]})
                                 .arg(int{n[2]})
                                 .arg(int{n[3]})
                                 .arg(int{n[4]})
                                 .arg(int{n[5]})
                                 .arg(int{newest.Extra[0]})
                                 .arg(int{newest.Extra[1]});
    EXPECT_TRUE(text.startsWith(expected)) << text.toStdString();
}

}  // namespace
}  // namespace corvel
