// The statistics tab on the sample data: the table and its chart, sorting by
// header clicks, keep and remove filters from selected rows, the prefetch
// switch, the window length box, and the filter definition dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <memory>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "StatsChart.h"
#include "TestSupport.h"
#include "dialogs/FilterDialog.h"
#include "model/ViewSettings.h"
#include "models/StatsTableModel.h"
#include "stats/FilterDefinition.h"
#include "stats/StatList.h"
#include "tabs/CombsTab.h"
#include "tabs/StatsTab.h"
#include "models/AppliedFiltersModel.h"

namespace corvel {
namespace {

constexpr std::size_t kAll = 12271512;
constexpr std::size_t kEven33 = 4096576;  // C(24,3) * C(24,3)
constexpr std::size_t kEven60 = 134596;   // C(24,6)

class StatsTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::CopySampleArchive(dir.path());
        window = std::make_unique<gui::MainWindow>(app::DataFiles{dir.path()}, app::StartupSwitches{});
        window->show();
        ASSERT_TRUE(window->Initialise());
        tab = window->Stats();
        ASSERT_NE(tab, nullptr);
    }

    void Select(const char* code) {
        const int index = window->Workspace().Statistics().Registry().FindMethod(code);
        ASSERT_GE(index, 0) << code;
        const int line = tab->MethodList()->findData(index);
        ASSERT_GE(line, 0) << code;
        tab->MethodList()->setCurrentIndex(line);
        ASSERT_EQ(tab->Model()->Method(), index) << "the method change did not compute the table";
    }

    QString Cell(int row, int column) const { return tab->Model()->index(row, column).data().toString(); }
    int RowOf(const QString& caption) const {
        for (int r = 0; r < tab->Model()->rowCount(); ++r)
            if (Cell(r, 0) == caption) return r;
        return -1;
    }
    QStringList Captions() const {
        QStringList list;
        for (int r = 0; r < tab->Model()->rowCount(); ++r) list << Cell(r, 0);
        return list;
    }
    void SelectRows(const QStringList& captions) {
        tab->Table()->clearSelection();
        for (const QString& c : captions) {
            const int r = RowOf(c);
            ASSERT_GE(r, 0) << c.toStdString();
            tab->Table()->selectionModel()->select(tab->Model()->index(r, 0),
                                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QAction* Action(const char* name) const {
        QAction* a = window->Actions().Find(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void ClickHeader(int column) {
        QHeaderView* header = tab->Table()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    // Runs a command as the menu does, after the enabling tests.
    void Run(const char* name) {
        window->Actions().UpdateAll();
        QAction* a = Action(name);
        ASSERT_TRUE(a && a->isEnabled()) << name;
        a->trigger();
    }
    std::size_t CombsCount() { return window->Workspace().Combinations().List().Current().Count(); }
    QString CombsPanel() const { return window->StatusPanel(3)->text(); }

    test::TempDir dir;
    std::unique_ptr<gui::MainWindow> window;
    gui::StatsTab* tab = nullptr;
};

TEST_F(StatsTabTest, EvenTableCountsEveryDrawOfTheWindowAndStartsSortedByCount) {
    Select("EVEN");
    ASSERT_EQ(tab->Model()->rowCount(), 7);
    EXPECT_EQ(tab->WindowLength()->value(), 1000);
    int total = 0;
    int previous = -1;
    for (int r = 0; r < 7; ++r) {
        const int count = Cell(r, 1).toInt();
        EXPECT_EQ(count, tab->Model()->Row(r).Value.Count);
        EXPECT_GE(count, previous) << "row " << r << " breaks the ascending order of column 1";
        previous = count;
        total += count;
    }
    EXPECT_EQ(total, 1000);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("6:0"));  // 6 draws; as text "6" would sort last
    EXPECT_EQ(Cell(6, 0), QStringLiteral("3:3"));  // 365 draws
    EXPECT_EQ(tab->Table()->horizontalHeader()->sortIndicatorSection(), 1);
    // Prefetch is off on a first start: no expected counts, their columns hidden.
    for (int c = 3; c <= 5; ++c) {
        EXPECT_TRUE(tab->Table()->isColumnHidden(c)) << c;
        EXPECT_EQ(Cell(0, c), QStringLiteral("-"));
    }

    // Without a cache the chart runs along the values sorted by key.
    QLineSeries* actual = tab->Chart()->ActualSeries();
    ASSERT_NE(actual, nullptr);
    EXPECT_EQ(actual->name(), QStringLiteral("Фактические данные"));
    EXPECT_EQ(tab->Chart()->TotalSeries(), nullptr);
    EXPECT_EQ(tab->Chart()->Labels(),
              (QStringList{QStringLiteral("0:6"), QStringLiteral("1:5"), QStringLiteral("2:4"), QStringLiteral("3:3"),
                           QStringLiteral("4:2"), QStringLiteral("5:1"), QStringLiteral("6:0")}));
    ASSERT_EQ(actual->count(), 7);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(actual->at(k).x(), k + 1);
        EXPECT_EQ(actual->at(k).y(), Cell(RowOf(tab->Chart()->Labels()[k]), 1).toInt()) << k;
    }
}

TEST_F(StatsTabTest, KeepAndRemoveFilterTheListByTheSelectedRows) {
    Select("EVEN");
    QAction* keep = Action("StatFilter_Include");
    QAction* remove = Action("StatFilter_Exclude");
    ASSERT_TRUE(keep && remove);
    EXPECT_EQ(keep->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(remove->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F7));
    window->Actions().UpdateAll();
    EXPECT_FALSE(keep->isEnabled()) << "nothing is selected";
    EXPECT_FALSE(remove->isEnabled());

    SelectRows({QStringLiteral("3:3")});
    window->Actions().UpdateAll();
    ASSERT_TRUE(keep->isEnabled());
    keep->trigger();
    EXPECT_EQ(CombsCount(), kEven33);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 4096576"));
    ASSERT_FALSE(window->Workspace().Combinations().Applied().Rows().empty());
    EXPECT_EQ(window->Workspace().Combinations().Applied().Rows().back().Values, "3:3");
    EXPECT_TRUE(window->Workspace().Combinations().Applied().Rows().back().Keep);

    Run("CombsUndo");
    EXPECT_EQ(CombsCount(), kAll);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 12271512"));

    // Two rows at once, removed; the values text joins the captions in row order.
    SelectRows({QStringLiteral("3:3"), QStringLiteral("6:0")});
    window->Actions().UpdateAll();
    ASSERT_TRUE(remove->isEnabled());
    remove->trigger();
    EXPECT_EQ(CombsCount(), kAll - kEven33 - kEven60);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: %1").arg(kAll - kEven33 - kEven60));
    EXPECT_EQ(window->Workspace().Combinations().Applied().Rows().back().Values, "6:0; 3:3");
    EXPECT_FALSE(window->Workspace().Combinations().Applied().Rows().back().Keep);
}

TEST_F(StatsTabTest, KeepingAValueNoCombinationHasEmptiesTheListAndDisablesTheFilters) {
    Select("EVEN");
    SelectRows({QStringLiteral("6:0")});
    Run("StatFilter_Include");
    ASSERT_EQ(CombsCount(), kEven60);
    // Within that list no combination has three even numbers.
    SelectRows({QStringLiteral("3:3")});
    Run("StatFilter_Include");
    EXPECT_EQ(CombsCount(), 0u);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: 0"));
    SelectRows({QStringLiteral("6:0")});
    window->Actions().UpdateAll();
    EXPECT_FALSE(Action("StatFilter_Include")->isEnabled()) << "the list is empty";
    EXPECT_FALSE(Action("StatFilter_Exclude")->isEnabled());
}

TEST_F(StatsTabTest, PrefetchSwitchShowsExpectedCountsAndTheIdealLine) {
    Select("EVEN");
    QAction* prefetch = Action("DrawsStatePrefetchsEnabled");
    QAction* total = Action("DrawsStatShowTotalLine");
    ASSERT_TRUE(prefetch && total);
    window->Actions().UpdateAll();
    EXPECT_FALSE(prefetch->isChecked());
    EXPECT_FALSE(total->isEnabled()) << "the ideal line needs prefetch";

    prefetch->trigger();
    EXPECT_TRUE(prefetch->isChecked());
    EXPECT_TRUE(std::filesystem::exists(dir / "Prefetchs" / "corvel-lotto_EVEN.dfc"));
    for (int c = 3; c <= 5; ++c) {
        EXPECT_FALSE(tab->Table()->isColumnHidden(c)) << c;
        EXPECT_EQ(tab->Table()->columnWidth(c), 80) << c;
    }
    const int row33 = RowOf(QStringLiteral("3:3"));
    ASSERT_GE(row33, 0);
    EXPECT_EQ(Cell(row33, 3), QStringLiteral("365"));  // 365 draws is the largest count: factor 365 / 4096576
    EXPECT_EQ(Cell(row33, 4), QStringLiteral("0"));
    EXPECT_TRUE(ViewSettings::Load(dir / "corvel-lotto.frm").ReadBool("TFormMain", "PrefetchsEnabled", false));

    // The ideal line runs along the cache records: record count times factor.
    QLineSeries* ideal = tab->Chart()->TotalSeries();
    ASSERT_NE(ideal, nullptr);
    EXPECT_EQ(ideal->name(), QStringLiteral("Все возможные комбинации"));
    ASSERT_EQ(ideal->count(), 7);
    const int k33 = static_cast<int>(tab->Chart()->Labels().indexOf(QStringLiteral("3:3")));
    ASSERT_GE(k33, 0);
    EXPECT_NEAR(ideal->at(k33).y(), 365.0, 1e-6);
    EXPECT_EQ(ideal->at(k33).x(), k33 + 1);
    EXPECT_EQ(tab->Chart()->ActualSeries()->at(k33).y(), 365.0);

    window->Actions().UpdateAll();
    ASSERT_TRUE(total->isEnabled());
    EXPECT_TRUE(total->isChecked());
    total->trigger();
    EXPECT_EQ(tab->Chart()->TotalSeries(), nullptr);
    EXPECT_EQ(tab->Chart()->ActualSeries()->count(), 7);
    EXPECT_FALSE(ViewSettings::Load(dir / "corvel-lotto.frm").ReadBool("TFormMain", "ShowTotalLine", true));

    prefetch->trigger();
    EXPECT_FALSE(prefetch->isChecked());
    for (int c = 3; c <= 5; ++c) EXPECT_TRUE(tab->Table()->isColumnHidden(c)) << c;
    EXPECT_EQ(Cell(RowOf(QStringLiteral("3:3")), 3), QStringLiteral("-"));
    window->Actions().UpdateAll();
    EXPECT_FALSE(total->isEnabled());
    EXPECT_FALSE(ViewSettings::Load(dir / "corvel-lotto.frm").ReadBool("TFormMain", "PrefetchsEnabled", true));
}

TEST_F(StatsTabTest, HeaderClicksSortNumbersAsNumbersWithoutRecomputing) {
    Select("NUMS");
    ASSERT_EQ(tab->Model()->rowCount(), 48);
    SelectRows({QStringLiteral("10")});
    QSignalSpy resets(tab->Model(), &QAbstractItemModel::modelReset);

    ClickHeader(0);  // a new header: ascending
    QStringList expected;
    for (int n = 1; n <= 48; ++n) expected << QString::number(n);
    EXPECT_EQ(Captions(), expected) << "numbers compare as numbers, not as text (1, 10, 11, ...)";

    ClickHeader(0);  // the same header again: reversed
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(Captions(), expected);

    // Column 16 is "-" in every row when no draw is hidden: ties fall back to
    // the caption.
    ClickHeader(16);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(Captions(), expected);

    EXPECT_EQ(resets.count(), 0) << "sorting must not recompute the table";
    const QModelIndexList selected = tab->Table()->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(Cell(selected.front().row(), 0), QStringLiteral("10")) << "the selection follows its row";
    window->close();
    EXPECT_EQ(ViewSettings::Load(dir / "corvel-lotto.frm").ReadInts("TFormMain", "lvDrawsStat.SortType", 2),
              (std::vector<int>{16, 0}));
}

TEST_F(StatsTabTest, TextCellsSortAsTextAndTheCountColumnAsNumbers) {
    Select("EVEN");
    ClickHeader(0);
    EXPECT_EQ(Captions(),
              (QStringList{QStringLiteral("0:6"), QStringLiteral("1:5"), QStringLiteral("2:4"), QStringLiteral("3:3"),
                           QStringLiteral("4:2"), QStringLiteral("5:1"), QStringLiteral("6:0")}));
    ClickHeader(1);  // back to the count column: ascending again, as numbers
    EXPECT_EQ(Captions().front(), QStringLiteral("6:0"));
    EXPECT_EQ(Captions().back(), QStringLiteral("3:3"));
    ClickHeader(1);
    EXPECT_EQ(Captions().front(), QStringLiteral("3:3"));
    EXPECT_EQ(Captions().back(), QStringLiteral("6:0"));
}

TEST_F(StatsTabTest, MethodListFollowsTheRegistryOptions) {
    TStatList& stats = window->Workspace().Statistics().Registry();
    QComboBox* list = tab->MethodList();
    ASSERT_EQ(list->count(), stats.Count());
    for (int i = 0; i < stats.Count(); ++i) {
        EXPECT_EQ(list->itemData(i).toInt(), i);
        EXPECT_EQ(list->itemText(i), QString::fromStdString(stats.GetMethodText(i, true)));
    }
    Select("PRIM");

    stats.Ordered = true;
    tab->FillMethods(true);
    for (int i = 1; i < list->count(); ++i)
        EXPECT_LE(QString::compare(list->itemText(i - 1), list->itemText(i), Qt::CaseInsensitive), 0) << i;
    EXPECT_EQ(tab->SelectedMethod(), stats.FindMethod("PRIM")) << "the chosen method stays chosen";

    stats.Ordered = false;
    stats.SetFavoritesText("EVEN,NUMS");
    tab->FillMethods(true);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(tab->SelectedMethod(), stats.FindMethod("NUMS")) << "PRIM is gone: the first line";
    EXPECT_EQ(tab->Model()->Method(), -1) << "rows of a rebuilt registry are not kept";
    EXPECT_EQ(list->itemData(0).toInt(), stats.FindMethod("NUMS"));
    EXPECT_EQ(list->itemData(1).toInt(), stats.FindMethod("EVEN"));
}

TEST_F(StatsTabTest, EnterInTheWindowLengthRecomputesAndTheLengthIsRemembered) {
    Select("EVEN");
    QSpinBox* box = tab->WindowLength();
    EXPECT_EQ(box->minimum(), 1);
    EXPECT_EQ(box->maximum(), 2147483647);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("100"));
    QTest::keyClick(box, Qt::Key_Return);
    int total = 0;
    for (int r = 0; r < tab->Model()->rowCount(); ++r) total += Cell(r, 1).toInt();
    EXPECT_EQ(total, 100);

    // The refresh button recomputes forced with the same length.
    QSignalSpy resets(tab->Model(), &QAbstractItemModel::modelReset);
    Run("DrawsStatCalc");
    EXPECT_EQ(resets.count(), 1);
    window->close();
    EXPECT_EQ(ViewSettings::Load(dir / "corvel-lotto.frm").ReadInt("TFormMain", "DrawsStatLen", 0), 100);
}

// ---- the filter dialog

class FilterDialogTest : public StatsTabTest {
  protected:
    void SetUp() override {
        StatsTabTest::SetUp();
        dialog = std::make_unique<gui::FilterDialog>(window->Workspace().Statistics().Registry(), window->Hooks());
    }
    template <class W>
    W* Field(const char* name) const {
        W* w = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void PressOk() { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }
    TFilterItem Parse(const char* text) { return ParseFilterItem(text, window->Workspace().Statistics().Registry()); }
    std::string Text(const TFilterItem& item) {
        return FilterItemText(item, window->Workspace().Statistics().Registry());
    }

    std::unique_ptr<gui::FilterDialog> dialog;
};

TEST_F(FilterDialogTest, RefusesTheWindowListZeroAndPutsTheCursorThere) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Фильтр"));
    dialog->Load(Parse("TSD1#EVEN:0#LNO:#SF:1"));
    dialog->show();
    test::PressInNextMessageBox(QMessageBox::Ok);
    PressOk();
    ASSERT_FALSE(window->Hooks().Messages().isEmpty());
    EXPECT_EQ(window->Hooks().Messages().back(), QStringLiteral("Введен некорректный диапазон значений!"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->focusWidget(), Field<QLineEdit>("edDrawsLen"));

    Field<QLineEdit>("edDrawsLen")->setText(QStringLiteral("50-200;50"));
    PressOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Text(dialog->Item()), "TSD1#EVEN:50-200;50#LNO:#SF:1");
}

TEST_F(FilterDialogTest, MultiSelectWithStopByCombinationsIsRefusedAtTheStopField) {
    dialog->Load(Parse("TMD1#EVEN:100#LNO:#SC:10"));
    dialog->show();
    test::PressInNextMessageBox(QMessageBox::Ok);
    PressOk();
    ASSERT_FALSE(window->Hooks().Messages().isEmpty());
    EXPECT_TRUE(window->Hooks().Messages().back().startsWith(QStringLiteral("В режиме мультивыделения")));
    EXPECT_EQ(dialog->focusWidget(), Field<QComboBox>("cbStopMode"));
    EXPECT_NE(dialog->result(), QDialog::Accepted);

    // A level mode other than "all rows" needs a level list.
    Field<QCheckBox>("chMultiSelect")->setChecked(false);
    Field<QComboBox>("cbLevelMode")->setCurrentIndex(13);  // CMV
    test::PressInNextMessageBox(QMessageBox::Ok);
    PressOk();
    EXPECT_EQ(window->Hooks().Messages().back(), QStringLiteral("Введен некорректный диапазон значений!"));
    EXPECT_EQ(dialog->focusWidget(), Field<QLineEdit>("edLevelValue"));
}

TEST_F(FilterDialogTest, ListFieldsTakeOnlyListCharacters) {
    dialog->show();
    for (const char* name : {"edDrawsLen", "edLevelValue"}) {
        QLineEdit* edit = Field<QLineEdit>(name);
        edit->setEnabled(true);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("1a2,;x-5 "));
        QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("Ж"));
        QApplication::sendEvent(edit, &cyrillic);
        QTest::keyClicks(edit, QStringLiteral(".7"));
        EXPECT_EQ(edit->text(), QStringLiteral("12,;-57")) << name;
    }
}

TEST_F(FilterDialogTest, EditFilterItemWritesTheFieldsBackOnOk) {
    TFilterItem item;  // a new definition
    test::AnswerNextModal([this](QWidget* w) {
        auto* d = qobject_cast<gui::FilterDialog*>(w);
        ASSERT_NE(d, nullptr);
        auto* sort = d->findChild<QComboBox*>(QStringLiteral("cbSortColumn"));
        EXPECT_EQ(sort->count(), 20);
        EXPECT_EQ(sort->itemText(0), QStringLiteral("Значение"));
        EXPECT_EQ(sort->currentIndex(), 1) << "a new definition starts at column 1";
        auto* method = d->findChild<QComboBox*>(QStringLiteral("cbFilterMethod"));
        method->setCurrentIndex(method->findData(window->Workspace().Statistics().Registry().FindMethod("EVEN")));
        d->findChild<QLineEdit*>(QStringLiteral("edDrawsLen"))->setText(QStringLiteral("100"));
        sort->setCurrentIndex(12);
        d->findChild<QComboBox*>(QStringLiteral("cbDirection"))->setCurrentIndex(1);
        d->findChild<QComboBox*>(QStringLiteral("cbFilterMode"))->setCurrentIndex(1);
        d->findChild<QCheckBox*>(QStringLiteral("chMultiSelect"))->setChecked(true);
        d->findChild<QComboBox*>(QStringLiteral("cbLevelMode"))->setCurrentIndex(1);  // LMV
        d->findChild<QLineEdit*>(QStringLiteral("edLevelValue"))->setText(QStringLiteral("1-10;2"));
        d->findChild<QComboBox*>(QStringLiteral("cbStopMode"))->setCurrentIndex(3);  // ST
        d->findChild<QSpinBox*>(QStringLiteral("seStopValue"))->setValue(3);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(dialog->EditFilterItem(item));
    EXPECT_EQ(Text(item), "BMF12#EVEN:100#LMV:1-10;2#ST:3");

    // Cancel leaves the definition alone.
    const std::string before = Text(item);
    test::AnswerNextModal([](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("edDrawsLen"))->setText(QStringLiteral("7"));
        w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(dialog->EditFilterItem(item));
    EXPECT_EQ(Text(item), before);
}

TEST_F(FilterDialogTest, WeightCoefficientsShowThreeDecimalsAndKeepTheirStoredValue) {
    dialog->Load(Parse("TSD8#EVEN:100#WMV:5#SF:1#0.1234:-1:1.5:1:0"));
    auto* count = Field<QDoubleSpinBox>("edCountCoef");
    EXPECT_EQ(count->decimals(), 3);
    EXPECT_DOUBLE_EQ(count->value(), 0.123);
    EXPECT_TRUE(count->isEnabled()) << "override ticked and a weight level mode";
    EXPECT_TRUE(Field<QCheckBox>("chUsePercents")->isChecked());
    // Untouched, the stored coefficient is written back as it was.
    EXPECT_EQ(Text(dialog->Item()), "TSD8#EVEN:100#WMV:5#SF:1#0.1234:-1:1.5:1:0");

    Field<QDoubleSpinBox>("edLevelCoef")->setValue(2.25);
    EXPECT_EQ(Text(dialog->Item()), "TSD8#EVEN:100#WMV:5#SF:1#0.1234:-1:2.25:1:0");

    // Neither a weight level mode nor the weight column: nothing to edit.
    Field<QComboBox>("cbLevelMode")->setCurrentIndex(0);
    Field<QComboBox>("cbSortColumn")->setCurrentIndex(1);
    EXPECT_FALSE(count->isEnabled());
    Field<QCheckBox>("chCDLOverride")->setChecked(false);
    EXPECT_EQ(Text(dialog->Item()), "TSD1#EVEN:100#LNO:#SF:1");
}

// ---- applying a definition from the statistics tab

constexpr std::size_t kWith5 = 1533939;      // C(47,5): combinations holding the number 5
constexpr std::size_t kWithout12 = 9366819;  // C(46,6): combinations holding neither 1 nor 2

class FilterDefinitionTest : public StatsTabTest {
  protected:
    TFilterItem Parse(const char* text) { return ParseFilterItem(text, window->Workspace().Statistics().Registry()); }
    const std::vector<TAppliedFilter>& Applied() { return window->Workspace().Combinations().Applied().Rows(); }
};

TEST_F(FilterDefinitionTest, DialogFromTheTabKeepsTheCombinationsWithTheValueAndCanBeUndone) {
    Select("NUMS");
    tab->WindowLength()->setValue(200);
    QString startMethod, startWindows;
    test::AnswerNextModal([&](QWidget* w) {
        auto* d = qobject_cast<gui::FilterDialog*>(w);
        ASSERT_NE(d, nullptr) << "the command opens the filter dialog";
        auto* method = d->findChild<QComboBox*>(QStringLiteral("cbFilterMethod"));
        auto* windows = d->findChild<QLineEdit*>(QStringLiteral("edDrawsLen"));
        startMethod = method->currentText();
        startWindows = windows->text();
        d->findChild<QComboBox*>(QStringLiteral("cbFilterMode"))->setCurrentIndex(1);  // keep
        d->findChild<QComboBox*>(QStringLiteral("cbLevelMode"))->setCurrentIndex(31);  // LVA
        d->findChild<QLineEdit*>(QStringLiteral("edLevelValue"))->setText(QStringLiteral("5"));
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Run("StatFilter_Definition");

    EXPECT_EQ(startMethod, tab->MethodList()->currentText()) << "a first definition starts at the tab's method";
    EXPECT_EQ(startWindows, QStringLiteral("200"));
    EXPECT_EQ(CombsCount(), kWith5);
    EXPECT_EQ(CombsPanel(), QStringLiteral("Комбинаций: %1").arg(kWith5));
    ASSERT_EQ(Applied().size(), 1U);
    EXPECT_EQ(Applied()[0].Values, "5");
    EXPECT_TRUE(Applied()[0].Keep);
    EXPECT_EQ(window->Combs()->FiltersModel()->rowCount(), 1) << "the applied-filters list shows the step";
    EXPECT_TRUE(window->Hooks().IsIdle());
    EXPECT_TRUE(window->Hooks().Messages().isEmpty())
        << window->Hooks().Messages().join(QStringLiteral("\n")).toStdString();

    Run("CombsUndo");
    EXPECT_EQ(CombsCount(), kAll);
    EXPECT_TRUE(Applied().empty());
}

TEST_F(FilterDefinitionTest, EveryWindowOfTheDefinitionIsAStep) {
    // Remove the combinations holding 1 or 2, in one step per window length.
    ASSERT_TRUE(window->Workspace().Combinations().ApplyFilterDefinition(Parse("TMD1#NUMS:50, 100#LVA:1;2#SF:1")));
    EXPECT_EQ(CombsCount(), kWithout12);
    ASSERT_EQ(Applied().size(), 2U);
    for (const auto& row : Applied()) {
        EXPECT_EQ(row.Values, "1; 2");
        EXPECT_FALSE(row.Keep);
        EXPECT_EQ(row.Count, kWithout12);
    }
}

TEST_F(FilterDefinitionTest, OwnCoefficientsDoNotOutliveTheDefinition) {
    const TCdlCoefficients stored = window->Workspace().Statistics().Registry().Settings.CDLDefault;
    // With every coefficient 0 each weight is 0: no row reaches 1, nothing is filtered.
    ASSERT_TRUE(window->Workspace().Combinations().ApplyFilterDefinition(Parse("TMF8#NUMS:100#WMV:1#SF:1#0:0:0:0:0")));
    EXPECT_EQ(CombsCount(), kAll);
    EXPECT_TRUE(Applied().empty());
    EXPECT_TRUE(window->Workspace().Statistics().Registry().Settings.Config.CDL == stored);
}

TEST_F(FilterDefinitionTest, AListOfOneCombinationIsNotFilteredFurther) {
    QGuiApplication::clipboard()->setText(QStringLiteral("1 2 3 4 5 6\r\n"));
    Run("CombsPaste");
    ASSERT_EQ(CombsCount(), 1U);
    window->Actions().UpdateAll();
    EXPECT_FALSE(Action("StatFilter_Definition")->isEnabled());
    EXPECT_TRUE(window->Workspace().Combinations().ApplyFilterDefinition(Parse("TSD1#NUMS:100#LVA:1#SF:1")));
    EXPECT_EQ(CombsCount(), 1U);
    EXPECT_TRUE(Applied().empty());
}

TEST_F(FilterDefinitionTest, ADefinitionWithoutWindowsIsRefusedInRussian) {
    test::PressInNextMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(window->Workspace().Combinations().ApplyFilterDefinition(Parse("TSD1#NUMS:#LVA:1#SF:1")));
    ASSERT_EQ(window->Hooks().Messages().size(), 1);
    EXPECT_TRUE(window->Hooks().Messages()[0].startsWith(QStringLiteral("Некорректное описание фильтра: ")))
        << window->Hooks().Messages()[0].toStdString();
    EXPECT_EQ(CombsCount(), kAll);
    EXPECT_TRUE(window->Hooks().IsIdle());
}

}  // namespace
}  // namespace corvel
