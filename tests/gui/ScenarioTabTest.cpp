// The "Сценарий" tab on the sample archive: lines added, edited, moved and
// deleted through the list and the item editor, each change found in the
// automatic save; the editor's refusals; a scenario file that cannot be read.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <filesystem>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "GuiText.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "TestSupport.h"
#include "dialogs/ScriptItemDialog.h"
#include "models/ScenarioModel.h"
#include "tabs/CombsTab.h"
#include "tabs/ScenarioTab.h"

namespace corvel {
namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

constexpr const char* kFieldRefusal =
    "Символы \"|\" и \"@\" в комментарии и в фильтрах недопустимы: они разделяют поля строки сценария.";

const std::string kFilter2Refusal = std::string("Фильтр 2: ") + kFieldRefusal;

// Hands the next modal window to `act` as the item editor; an editor still
// open afterwards is cancelled, so a failing test never hangs.
void AnswerEditor(std::function<void(gui::ScriptItemDialog&)> act) {
    test::AnswerNextModal([act](QWidget* w) {
        auto* dialog = qobject_cast<gui::ScriptItemDialog*>(w);
        if (!dialog) {
            ADD_FAILURE() << "expected the item editor, got " << w->metaObject()->className();
            w->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

void PressOk(gui::ScriptItemDialog& d) { d.Buttons()->button(QDialogButtonBox::Ok)->click(); }

class ScenarioTabTest : public test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        tab_ = window_->Scenario();
        ASSERT_NE(tab_, nullptr);
        tab_->SetFileChooser([this](bool) { return chosen_; });
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
    std::string Saved() {
        const auto file = dir_ / "CorvelLotto_6x48.lss";
        return std::filesystem::exists(file) ? test::ReadBytes(file) : std::string();
    }
    QString Cell(int row, int column) {
        const gui::ScenarioModel& m = *tab_->Model();
        return m.data(m.index(row, column)).toString();
    }
    void Select(int row) {
        QTableView* view = tab_->View();
        view->setCurrentIndex(view->model()->index(row, 0));
        view->selectRow(row);
    }

    gui::ScenarioTab* tab_ = nullptr;
    QString chosen_;
};

TEST_F(ScenarioTabTest, LinesAddedEditedMovedAndDeletedReachTheAutomaticSave) {
    EXPECT_EQ(tab_->Footer()->text(), U("Строк: 0"));
    EXPECT_TRUE(Enabled("ScriptAdd"));
    for (const char* name : {"ScriptSave", "ScriptEmpty", "ScriptClone", "ScriptEdit", "ScriptDel", "ScriptClr"})
        EXPECT_FALSE(Enabled(name)) << name;

    // A new line starts at the count of draws the combinations tab excludes.
    window_->Combs()->DrawsExcludeBox()->setValue(7);
    AnswerEditor([](gui::ScriptItemDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Создание новой строки"));
        EXPECT_EQ(d.DrawsExcludeField()->value(), 7);
        EXPECT_EQ(d.StartField()->currentIndex(), 0);
        EXPECT_EQ(d.ModeField()->currentIndex(), 0);
        EXPECT_EQ(d.StartField()->itemText(1), U("Удалить N последних тиражей (для прогнозов)"));
        EXPECT_EQ(d.ModeField()->count(), 9);
        d.CommentField()->setText(U("Line A"));
        d.StartField()->setCurrentIndex(1);
        d.ModeField()->setCurrentIndex(2);
        d.NewOnlyField()->setChecked(true);
        d.FilterField(2)->setText(U("TSD1#EVEN:10#LMV:1#ST:3"));
        PressOk(d);
    });
    Run("ScriptAdd");
    // Filters 1 and 2 unused, written as single spaces.
    EXPECT_EQ(Saved(), "EXCL:7#LAST#NEX| | |TSD1#EVEN:10#LMV:1#ST:3| | | | |Line A\r\n");
    ASSERT_EQ(tab_->Model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), U("Line A"));
    EXPECT_EQ(Cell(0, 1), U("Исключить 7 тиражей; Последняя; Только новые ставки"));
    EXPECT_EQ(Cell(0, 2), QString());
    EXPECT_EQ(Cell(0, 4), U("TSD1#EVEN:10#LMV:1#ST:3"));
    EXPECT_EQ(tab_->View()->currentIndex().row(), 0);
    EXPECT_EQ(tab_->Footer()->text(), U("Строк: 1"));

    // A double click edits the line: the editor shows it, the result replaces it.
    AnswerEditor([](gui::ScriptItemDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Редактирование строки"));
        EXPECT_EQ(d.CommentField()->text(), U("Line A"));
        EXPECT_EQ(d.StartField()->currentIndex(), 1);
        EXPECT_EQ(d.DrawsExcludeField()->value(), 7);
        EXPECT_EQ(d.ModeField()->currentIndex(), 2);
        EXPECT_TRUE(d.NewOnlyField()->isChecked());
        EXPECT_FALSE(d.ClearStakesField()->isChecked());
        EXPECT_EQ(d.FilterField(2)->text(), U("TSD1#EVEN:10#LMV:1#ST:3"));
        d.CommentField()->setText(U("Line B"));
        d.FilterField(2)->clear();
        d.FilterField(0)->setText(U("TSD12#EVEN:1000#LNO:#SF:1"));
        d.ClearStakesField()->setChecked(true);
        d.StartField()->setCurrentIndex(0);
        PressOk(d);
    });
    Select(0);
    emit tab_->View()->doubleClicked(tab_->Model()->index(0, 1));
    const std::string edited = "FULL:7#LAST#CLR#NEX|TSD12#EVEN:1000#LNO:#SF:1| | | | | | |Line B\r\n";
    EXPECT_EQ(Saved(), edited);
    EXPECT_EQ(Cell(0, 1), U("Исходный список; Последняя; Удалить ставки; Только новые ставки"));

    // A separator after it, then moved up: the selection follows the line.
    Run("ScriptEmpty");
    EXPECT_EQ(Saved(), edited + "\r\n");
    ASSERT_EQ(tab_->Model()->rowCount(), 2);
    for (int c = 0; c < gui::ScenarioModel::ColumnCount; ++c) EXPECT_EQ(Cell(1, c), QString()) << c;
    EXPECT_EQ(tab_->View()->currentIndex().row(), 1);
    EXPECT_FALSE(Enabled("ScriptEdit"));  // a separator has nothing to edit
    EXPECT_FALSE(Enabled("ScriptDown"));
    Run("ScriptUp");
    EXPECT_EQ(Saved(), "\r\n" + edited);
    EXPECT_EQ(tab_->View()->currentIndex().row(), 0);
    EXPECT_EQ(Cell(1, 0), U("Line B"));

    // The separator deleted after the confirmation.
    test::PressInNextMessageBox(QMessageBox::Yes);
    Run("ScriptDel");
    EXPECT_EQ(Saved(), edited);
    EXPECT_EQ(tab_->Footer()->text(), U("Строк: 1"));

    // Cloned, then everything deleted.
    Select(0);
    AnswerEditor([](gui::ScriptItemDialog& d) {
        EXPECT_EQ(d.windowTitle(), U("Создание новой строки"));
        EXPECT_EQ(d.CommentField()->text(), U("Line B"));
        EXPECT_EQ(d.DrawsExcludeField()->value(), 7);  // the line's own count
        d.CommentField()->setText(U("Line C"));
        PressOk(d);
    });
    Run("ScriptClone");
    EXPECT_EQ(Saved(), edited + "FULL:7#LAST#CLR#NEX|TSD12#EVEN:1000#LNO:#SF:1| | | | | | |Line C\r\n");
    EXPECT_EQ(tab_->View()->currentIndex().row(), 1);
    test::PressInNextMessageBox(QMessageBox::Yes);
    Run("ScriptClr");
    EXPECT_EQ(Saved(), "");
    EXPECT_EQ(tab_->Model()->rowCount(), 0);
}

struct RefusalCase {
    const char* Name;
    const char* Comment;
    const char* Filter2;
    const char* Message;  // the whole refusal, or its start with the field's number
    bool Prefix;
    int Fault;  // -1: the comment, else the filter's field
};

class ScenarioEditorRefuses : public ScenarioTabTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ScenarioEditorRefuses, StaysOpenWithTheFieldAtFault) {
    const RefusalCase& c = GetParam();
    bool stayed = false;
    QString message;
    QWidget* focused = nullptr;
    QWidget* expected = nullptr;
    AnswerEditor([&](gui::ScriptItemDialog& d) {
        d.CommentField()->setText(U(c.Comment));
        d.FilterField(0)->setText(U("TSD1#EVEN:10#LMV:1#ST:3"));
        d.FilterField(1)->setText(U(c.Filter2));
        test::PressInNextMessageBox(QMessageBox::Ok);
        PressOk(d);
        stayed = d.isVisible();
        message = window_->Hooks().Messages().value(window_->Hooks().Messages().size() - 1);
        focused = d.focusWidget();
        expected = c.Fault < 0 ? static_cast<QWidget*>(d.CommentField()) : d.FilterField(c.Fault);
    });
    Run("ScriptAdd");
    EXPECT_TRUE(stayed);
    if (c.Prefix)
        EXPECT_TRUE(message.startsWith(U(c.Message))) << message.toStdString();
    else
        EXPECT_EQ(message, U(c.Message));
    EXPECT_EQ(focused, expected);
    EXPECT_EQ(Saved(), "");  // cancelled afterwards: nothing stored
    EXPECT_EQ(tab_->Model()->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ScenarioEditorRefuses,
    ::testing::Values(RefusalCase{"BarInTheComment", "a|b", "", kFieldRefusal, false, -1},
                      RefusalCase{"AtInTheComment", "a @ b", "", kFieldRefusal, false, -1},
                      RefusalCase{"BarInAFilter", "ok", "TSD1#EVEN:10|#LMV:1#ST:3", kFilter2Refusal.c_str(), false, 1},
                      RefusalCase{"UnknownMethod", "ok", "TSD1#NOPE:10#LMV:1#ST:3", "Фильтр 2: ", true, 1}),
    [](const auto& row) { return std::string(row.param.Name); });

class ScenarioDamagedFile : public ScenarioTabTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScenarioDamagedFile, LeavesTheListAndTheAutomaticSaveAsTheyWere) {
    ASSERT_TRUE(Ws().Scenario().Add("FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |Kept"));
    const std::string before = Saved();
    ASSERT_FALSE(before.empty());
    // A folder where the scenario file should be.
    std::filesystem::create_directory(dir_ / "broken.lsc");
    chosen_ = QString::fromStdString((dir_ / "broken.lsc").string());
    test::PressInNextMessageBox(QMessageBox::Ok);
    Run(GetParam());
    const QString shown = window_->Hooks().Messages().value(window_->Hooks().Messages().size() - 1);
    EXPECT_TRUE(shown.startsWith(U("Ошибка чтения файла \"") + chosen_ + U("\"!"))) << shown.toStdString();
    EXPECT_EQ(Saved(), before);
    ASSERT_EQ(tab_->Model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), U("Kept"));
}

INSTANTIATE_TEST_SUITE_P(Commands, ScenarioDamagedFile, ::testing::Values("ScriptOpen", "ScriptLoad"),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(ScenarioTabTest, ASavedFileOpensAgainInPlaceOfTheList) {
    ASSERT_TRUE(Ws().Scenario().Add("FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |One"));
    chosen_ = QString::fromStdString((dir_ / "mine.lsc").string());
    Run("ScriptSave");
    EXPECT_EQ(test::ReadBytes(dir_ / "mine.lsc"), Saved());
    ASSERT_TRUE(Ws().Scenario().Add(""));
    ASSERT_EQ(tab_->Model()->rowCount(), 2);
    Run("ScriptOpen");
    EXPECT_EQ(tab_->Model()->rowCount(), 1);
    EXPECT_EQ(Saved(), "FULL:0#RAND|TSD1#EVEN:10#LMV:1#ST:3| | | | | | |One\r\n");
    // Appended to itself: a separator between the two copies.
    Run("ScriptLoad");
    EXPECT_EQ(tab_->Model()->rowCount(), 3);
    EXPECT_EQ(tab_->Footer()->text(), U("Строк: 3"));
}

}  // namespace
}  // namespace corvel
