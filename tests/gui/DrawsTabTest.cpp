// The draws tab on the sample archive (1500 draws, numbered 1..1500): adding,
// editing and deleting draws through the real dialogs, the offset row and the
// sorted switch.
#include <gtest/gtest.h>

#include <QAction>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimeEdit>
#include <functional>
#include <memory>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "QtUiHooks.h"
#include "TestSupport.h"
#include "dialogs/DetailsDialog.h"
#include "dialogs/DrawDialog.h"
#include "model/DrawArchive.h"
#include "models/DrawsModel.h"
#include "tabs/DrawsTab.h"

namespace corvel {
namespace {

using gui::DrawsModel;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// Hands the next modal window to `act` as the draw dialog; a dialog still
// open afterwards is cancelled, so a failing test never hangs.
void AnswerDrawDialog(std::function<void(gui::DrawDialog&)> act) {
    test::AnswerNextModal([act](QWidget* w) {
        auto* dialog = qobject_cast<gui::DrawDialog*>(w);
        if (!dialog) {
            ADD_FAILURE() << "expected the draw dialog, got " << w->metaObject()->className();
            w->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

void PressOk(gui::DrawDialog& dialog) { dialog.Buttons()->button(QDialogButtonBox::Ok)->click(); }

class DrawsTabTest : public test::MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(Ws().Archive().Draws().size(), 1500u);
    }

    gui::DrawsTab& Tab() { return *window_->Draws(); }
    DrawsModel& Model() { return *Tab().Model(); }
    QString Cell(int row, int column) { return Model().data(Model().index(row, column)).toString(); }
    QString Panel(int i) { return window_->StatusPanel(i)->text(); }
    void Trigger(const char* name) {
        QAction* action = window_->Actions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }
    std::filesystem::path ArchiveFile() const { return dir_ / "CorvelLotto_6x48.ldr"; }
    std::vector<int> NumbersOf(int row) {
        std::vector<int> out;
        for (int c = DrawsModel::kFirstNumber; c < DrawsModel::kExtra1; ++c) out.push_back(Cell(row, c).toInt());
        return out;
    }
};

TEST_F(DrawsTabTest, ListShowsNewestDrawFirstWithItsColumns) {
    EXPECT_EQ(Model().rowCount(), 1500);
    ASSERT_EQ(Model().columnCount(), 11);
    const char* headers[] = {"Тираж", "1", "2", "3", "4", "5", "6", "E1", "E2", "S", "Дата тиража"};
    for (int c = 0; c < 11; ++c) EXPECT_EQ(Model().headerData(c, Qt::Horizontal).toString(), U(headers[c])) << c;
    // Draw 1500: 48 23 32 45 24 38, extras 22 31, drawn 05.12.2026.
    EXPECT_EQ(Cell(0, DrawsModel::kNumber), U("1500"));
    EXPECT_EQ(NumbersOf(0), (std::vector<int>{48, 23, 32, 45, 24, 38}));
    EXPECT_EQ(Cell(0, DrawsModel::kExtra1), U("22"));
    EXPECT_EQ(Cell(0, DrawsModel::kExtra2), U("31"));
    EXPECT_EQ(Cell(0, DrawsModel::kSum), U("210"));
    EXPECT_EQ(Cell(0, DrawsModel::kDate), U("05.12.2026"));
    EXPECT_EQ(Cell(1499, DrawsModel::kNumber), U("1"));
}

TEST_F(DrawsTabTest, AddingADrawThroughTheDialogSavesTheArchive) {
    QString caption;
    int proposed = 0;
    AnswerDrawDialog([&](gui::DrawDialog& d) {
        caption = d.windowTitle();
        proposed = d.NumberField()->value();
        d.NumbersField()->setText(QStringLiteral("5, 17;3;44 ;28,9;1;2"));
        d.DateField()->setDate(QDate(2026, 12, 9));
        d.TimeField()->setTime(QTime(21, 30));
        PressOk(d);
    });
    Trigger("DrawsAdd");

    EXPECT_EQ(caption, QStringLiteral("Введите данные следующего тиража"));
    EXPECT_EQ(proposed, 1501);
    EXPECT_EQ(std::filesystem::file_size(ArchiveFile()), 1501u * 24u);
    const auto read = ReadArchiveFile(ArchiveFile());
    ASSERT_EQ(read.size(), 1501u);
    EXPECT_EQ(read.back(), test::MakeDraw(1501, {5, 17, 3, 44, 28, 9}, {1, 2}, "09.12.2026"));
    EXPECT_EQ(read, Ws().Archive().Draws());

    EXPECT_EQ(Panel(0), QStringLiteral("Архив тиражей: 1501"));
    EXPECT_EQ(Panel(1), QStringLiteral("Следующий тираж: 1502"));
    EXPECT_EQ(Model().rowCount(), 1501);
    EXPECT_EQ(Cell(0, DrawsModel::kNumber), U("1501"));
    EXPECT_EQ(Tab().OffsetBox()->maximum(), 1500);
    EXPECT_TRUE(window_->Hooks().Messages().isEmpty())
        << window_->Hooks().Messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(DrawsTabTest, InvalidNumbersAreRefusedAndChangeNothing) {
    const std::string before = test::ReadBytes(ArchiveFile());
    bool stayedOpen = false;
    bool numbersFocused = false;
    AnswerDrawDialog([&](gui::DrawDialog& d) {
        d.NumbersField()->setText(QStringLiteral("1;2;3;4;5;5;7;8"));
        test::PressInNextMessageBox(QMessageBox::Ok);
        PressOk(d);
        stayedOpen = d.isVisible();
        numbersFocused = d.focusWidget() == d.NumbersField();
    });
    Trigger("DrawsAdd");

    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(numbersFocused);
    EXPECT_EQ(window_->Hooks().Messages(), QStringList{QStringLiteral("Введена некорректная комбинация!")});
    EXPECT_EQ(test::ReadBytes(ArchiveFile()), before);
    EXPECT_EQ(Ws().Archive().Draws().size(), 1500u);
    EXPECT_EQ(Model().rowCount(), 1500);
    EXPECT_EQ(Panel(0), QStringLiteral("Архив тиражей: 1500"));
}

TEST(DrawDialog, AcceptsOnlySixDifferentNumbersAndTwoExtras) {
    gui::QtUiHooks hooks;
    struct Case {
        const char* Text;
        bool Accepted;
    };
    const Case cases[] = {{"1;2;3;4;5;6;7;8", true},  {"1, 2,3;4 ;5,6;7;8", true}, {"1,2,3,4,5,6,7", false},
                          {"1;2;3;4;5;6;0;9", false}, {"1;2;3;4;5;49;7;8", false}, {"1;2;3;4;5;6;7;8;9", false},
                          {"1;2;3;4;5;6;x;8", false}};
    for (const Case& c : cases) {
        gui::DrawDialog dialog(hooks);
        dialog.SetRecord(test::MakeDraw(7, {1, 2, 3, 4, 5, 6}, {1, 2}, "05.12.2026"));
        dialog.NumbersField()->setText(QString::fromUtf8(c.Text));
        if (!c.Accepted) test::PressInNextMessageBox(QMessageBox::Ok);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.Accepted) << c.Text;
    }
    EXPECT_EQ(hooks.Messages().size(), 5);
}

TEST_F(DrawsTabTest, EditingReplacesTheFocusedDrawInPlace) {
    Trigger("DrawsSorted");                              // the dialog must still get the numbers in drawing order
    Tab().View()->setCurrentIndex(Model().index(1, 0));  // draw 1499
    QString shownText;
    int shownNumber = 0;
    QDate shownDate;
    AnswerDrawDialog([&](gui::DrawDialog& d) {
        shownText = d.NumbersField()->text();
        shownNumber = d.NumberField()->value();
        shownDate = d.DateField()->date();
        d.NumbersField()->setText(QStringLiteral("9;8;7;6;5;4;3;2"));
        PressOk(d);
    });
    Trigger("DrawsEdit");

    EXPECT_EQ(shownText, QStringLiteral("24;41;25;36;18;33;30;48"));
    EXPECT_EQ(shownNumber, 1499);
    EXPECT_EQ(shownDate, QDate(2026, 12, 2));
    const auto read = ReadArchiveFile(ArchiveFile());
    ASSERT_EQ(read.size(), 1500u);
    EXPECT_EQ(read[1498], test::MakeDraw(1499, {9, 8, 7, 6, 5, 4}, {3, 2}, "02.12.2026"));
    EXPECT_EQ(read[1499].Number, 1500);
    EXPECT_EQ(NumbersOf(1), (std::vector<int>{4, 5, 6, 7, 8, 9}));  // sorted view of the new numbers
}

// A double click on an old draw shows its details and never opens it for
// editing (a stray keystroke in the dialog would change the archive).
TEST_F(DrawsTabTest, DoubleClickOnADrawShowsItsDetailsAndChangesNothing) {
    const std::string before = test::ReadBytes(ArchiveFile());
    QTableView* view = Tab().View();
    const QRect cell = view->visualRect(Model().index(3, DrawsModel::kFirstNumber));
    ASSERT_TRUE(cell.isValid());
    QSignalSpy doubleClicks(view, &QAbstractItemView::doubleClicked);
    QString number, sum, matrixText;
    QRgb matrixColour = 0, emptyColour = 0;
    test::AnswerNextModal([&](QWidget* w) {
        auto* details = qobject_cast<gui::DetailsDialog*>(w);
        if (!details) {
            ADD_FAILURE() << "expected the details, got " << w->metaObject()->className();
            w->close();
            return;
        }
        number = details->Properties()->item(0, 1)->text();
        for (int r = 0; r < details->Properties()->rowCount(); ++r)
            if (details->Properties()->item(r, 0)->text() == QStringLiteral("Сумма тиража: все значения"))
                sum = details->Properties()->item(r, 1)->text();
        // Draw 1497 (40 5 37 47 42 18) on the six-column matrix: 5 in row 1, column 5.
        details->ColumnsBox()->setValue(6);
        if (QTableWidgetItem* item = details->Matrix()->item(0, 4)) {
            matrixText = item->text();
            matrixColour = item->background().color().rgb() & 0xFFFFFF;
        }
        // 13, not drawn, in channel 3 of width 6.
        if (QTableWidgetItem* item = details->Matrix()->item(2, 0))
            emptyColour = item->background().color().rgb() & 0xFFFFFF;
        details->reject();
    });
    // A double click as the system delivers it: a click, then the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QApplication::processEvents();
    EXPECT_EQ(doubleClicks.count(), 1) << "the double click did not reach the list";
    EXPECT_EQ(view->currentIndex().row(), 3);
    EXPECT_EQ(number, QStringLiteral("1497"));
    EXPECT_EQ(sum, QStringLiteral("189"));
    EXPECT_EQ(matrixText, QStringLiteral("5"));
    EXPECT_EQ(matrixColour, 0xAAFFAAu);
    EXPECT_EQ(emptyColour, 0xAAFFFFu);
    EXPECT_EQ(test::ReadBytes(ArchiveFile()), before);
}

TEST_F(DrawsTabTest, DeletingTwoSelectedRowsRemovesThoseDrawsByNumber) {
    auto* selection = Tab().View()->selectionModel();
    selection->select(Model().index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);  // 1500
    selection->select(Model().index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);  // 1498
    const TDrawsArray before = Ws().Archive().Draws();
    test::PressInNextMessageBox(QMessageBox::Yes);
    Trigger("DrawsDel");

    ASSERT_FALSE(window_->Hooks().Messages().isEmpty());
    EXPECT_EQ(window_->Hooks().Messages().back(),
              QStringLiteral("Удалить все выделенные записи (всего будет удалено 2 записи(ей))?"));
    TDrawsArray expected(before.begin(), before.end() - 3);
    expected.push_back(before[1498]);  // draw 1499 stays
    EXPECT_EQ(Ws().Archive().Draws(), expected);
    EXPECT_EQ(ReadArchiveFile(ArchiveFile()), expected);
    EXPECT_EQ(std::filesystem::file_size(ArchiveFile()), 1498u * 24u);
    EXPECT_EQ(Cell(0, DrawsModel::kNumber), U("1499"));
    EXPECT_EQ(Cell(1, DrawsModel::kNumber), U("1497"));
    EXPECT_TRUE(selection->selectedRows().isEmpty());
    EXPECT_EQ(Panel(0), QStringLiteral("Архив тиражей: 1498"));
    EXPECT_EQ(Panel(1), QStringLiteral("Следующий тираж: 1500"));
}

TEST_F(DrawsTabTest, DeleteAnsweredNoKeepsTheArchive) {
    Tab().View()->selectRow(5);
    const std::string before = test::ReadBytes(ArchiveFile());
    test::PressInNextMessageBox(QMessageBox::No);
    Trigger("DrawsDel");

    EXPECT_EQ(window_->Hooks().Messages(), QStringList{QStringLiteral("Удалить выделенную запись?")});
    EXPECT_EQ(Ws().Archive().Draws().size(), 1500u);
    EXPECT_EQ(test::ReadBytes(ArchiveFile()), before);
}

TEST_F(DrawsTabTest, OffsetPaintsTheLastAnalysedRowAndFillsThePanels) {
    QSpinBox* offset = Tab().OffsetBox();
    EXPECT_EQ(offset->maximum(), 1499);
    // The draw number's cell: the number cells take their channel colours.
    const auto background = [&](int row) { return Model().data(Model().index(row, 0), Qt::BackgroundRole); };
    EXPECT_EQ(background(0).value<QColor>(), QColor(0xFF, 0xAA, 0xAA));

    offset->setValue(3);
    EXPECT_EQ(Ws().Archive().Offset(), 3);
    EXPECT_EQ(background(3).value<QColor>(), QColor(0xFF, 0xAA, 0xAA));
    EXPECT_FALSE(background(0).isValid());
    EXPECT_FALSE(background(2).isValid());
    EXPECT_EQ(Panel(1), QStringLiteral("Следующий тираж: 1498"));
    EXPECT_EQ(Panel(2), QStringLiteral("4;19;14;28;30;1"));  // draw 1498 in drawing order

    // Deleting the newest draws pulls the offset back inside the archive.
    Tab().View()->selectRow(0);
    test::PressInNextMessageBox(QMessageBox::Yes);
    Trigger("DrawsDel");
    EXPECT_EQ(Ws().Archive().Offset(), 3);
    EXPECT_EQ(offset->maximum(), 1498);
    EXPECT_EQ(offset->value(), 3);
    EXPECT_EQ(Panel(1), QStringLiteral("Следующий тираж: 1497"));
}

TEST_F(DrawsTabTest, SortedSwitchSortsTheListKeepsTheFileAndIsRemembered) {
    const std::string archive = test::ReadBytes(ArchiveFile());
    QAction* sorted = window_->Actions().Find("DrawsSorted");
    ASSERT_NE(sorted, nullptr);
    EXPECT_FALSE(sorted->isChecked());
    Trigger("DrawsSorted");

    EXPECT_TRUE(sorted->isChecked());
    EXPECT_TRUE(Ws().Archive().Sorted());
    EXPECT_EQ(NumbersOf(0), (std::vector<int>{23, 24, 32, 38, 45, 48}));
    EXPECT_EQ(Cell(0, DrawsModel::kExtra1), U("22"));  // extras are never sorted
    EXPECT_EQ(Cell(0, DrawsModel::kExtra2), U("31"));
    EXPECT_EQ(test::ReadBytes(ArchiveFile()), archive);
    EXPECT_NE(test::ReadBytes(dir_ / "corvel-lotto.frm").find("SortedDraws=1"), std::string::npos);

    // A new window on the folder starts sorted.
    window_.reset();
    gui::MainWindow again(app::DataFiles{dir_.path()}, app::StartupSwitches{});
    EXPECT_TRUE(again.Workspace().Archive().Sorted());
    EXPECT_TRUE(again.Actions().Find("DrawsSorted")->isChecked());
    ASSERT_TRUE(again.Initialise());
    DrawsModel& model = *again.Draws()->Model();
    EXPECT_EQ(model.data(model.index(0, DrawsModel::kFirstNumber)).toInt(), 23);

    // And switching off shows the drawing order again.
    again.Actions().Find("DrawsSorted")->trigger();
    EXPECT_FALSE(again.Workspace().Archive().Sorted());
    EXPECT_EQ(model.data(model.index(0, DrawsModel::kFirstNumber)).toInt(), 48);
    EXPECT_NE(test::ReadBytes(dir_ / "corvel-lotto.frm").find("SortedDraws=0"), std::string::npos);
}

}  // namespace
}  // namespace corvel
