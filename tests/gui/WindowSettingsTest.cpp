// The window settings store at start and close: the window placement (a
// stored rectangle off every screen, or of another pixel density, is not
// used), the column widths and order of the four lists, and the width of the
// applied-filters caption column.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScreen>
#include <QTableView>
#include <cmath>
#include <functional>
#include <memory>

#include "MainWindow.h"
#include "TestSupport.h"
#include "model/ViewSettings.h"
#include "models/AppliedFiltersModel.h"
#include "models/StatsTableModel.h"
#include "stats/StatList.h"
#include "tabs/CombsTab.h"
#include "tabs/DrawsTab.h"
#include "tabs/StatsTab.h"

namespace corvel {
namespace {

std::unique_ptr<gui::MainWindow> Start(const test::TempDir& dir) {
    auto window = std::make_unique<gui::MainWindow>(app::DataFiles{dir.path()}, app::StartupSwitches{});
    window->show();
    EXPECT_TRUE(window->Initialise());
    QApplication::processEvents();
    return window;
}

QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
int Dpi() { return static_cast<int>(std::lround(QGuiApplication::primaryScreen()->logicalDotsPerInch())); }
QString ScreenKey() {
    const QSize s = QGuiApplication::primaryScreen()->geometry().size();
    return QStringLiteral("NormPos_%1x%2").arg(s.width()).arg(s.height());
}

struct PlacementCase {
    const char* Name;
    const char* Frm;  // lines of the [TFormMain] section; %DPI% and %SIZEKEY% are filled in
    bool Stored;      // true: the window takes ExpectedRect; false: it is centred
    QRect ExpectedRect;
};

class WindowPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacement, StoredRectangleIsUsedOnlyWhenItFits) {
    const PlacementCase& c = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    QString frm = QStringLiteral("[TFormMain]\r\n") + QString::fromUtf8(c.Frm);
    frm.replace(QStringLiteral("%DPI%"), QString::number(Dpi()));
    frm.replace(QStringLiteral("%SIZEKEY%"), ScreenKey());
    test::WriteBytes(dir / "corvel-lotto.frm", frm.toStdString());

    auto window = Start(dir);
    const QRect placed = window->normalGeometry();
    if (c.Stored) {
        EXPECT_EQ(placed, c.ExpectedRect);
    } else {
        EXPECT_TRUE(Available().contains(placed))
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        // Centred, give or take the frame the platform adds.
        EXPECT_LE(std::abs(placed.center().x() - Available().center().x()), 4);
        EXPECT_LE(std::abs(placed.center().y() - Available().center().y()), 4);
    }
    EXPECT_TRUE(window->Hooks().Messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, WindowPlacement,
    ::testing::Values(
        PlacementCase{"OnTheScreen", "PixelsPerInch=%DPI%\r\nNormPos=50,40,1050,640\r\n", true,
                      QRect(50, 40, 1000, 600)},
        PlacementCase{"ScreenSizeKeyFirst",
                      "PixelsPerInch=%DPI%\r\nNormPos=50,40,1050,640\r\n%SIZEKEY%=60,30,1100,630\r\n", true,
                      QRect(60, 30, 1040, 600)},
        PlacementCase{"RightOfEveryScreen", "PixelsPerInch=%DPI%\r\nNormPos=5000,100,5600,600\r\n", false, {}},
        PlacementCase{"AboveEveryScreen", "PixelsPerInch=%DPI%\r\nNormPos=100,-900,700,-300\r\n", false, {}},
        PlacementCase{"ScreenSizeKeyOffScreen",
                      "PixelsPerInch=%DPI%\r\nNormPos=50,40,1050,640\r\n%SIZEKEY%=-4000,-3000,-"
                      "3400,-2500\r\n",
                      false,
                      {}},
        PlacementCase{"OtherPixelDensity", "PixelsPerInch=1\r\nNormPos=50,40,1050,640\r\n", false, {}},
        PlacementCase{"Unreadable", "PixelsPerInch=%DPI%\r\nNormPos=50,x,650\r\n", false, {}},
        PlacementCase{"FirstStart", "", false, {}}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(WindowPlacementRoundTrip, ClosedWindowStartsWhereItWas) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    {
        auto window = Start(dir);
        window->setGeometry(70, 60, 1000, 600);
        QApplication::processEvents();
        window->close();
    }
    const ViewSettings view = ViewSettings::Load(dir / "corvel-lotto.frm");
    EXPECT_EQ(view.ReadInts("TFormMain", "NormPos", 4), (std::vector<int>{70, 60, 1070, 660}));
    EXPECT_EQ(view.ReadInts("TFormMain", ScreenKey().toStdString(), 4), (std::vector<int>{70, 60, 1070, 660}));
    EXPECT_EQ(view.ReadInt("TFormMain", "ShowCmd", 0), 1);
    EXPECT_EQ(view.ReadInt("TFormMain", "PixelsPerInch", 0), Dpi());
    auto again = Start(dir);
    EXPECT_EQ(again->normalGeometry(), QRect(70, 60, 1000, 600));
}

// ---- list layouts

struct ListCase {
    const char* Name;  // the list's name in the store
    std::function<QTableView*(gui::MainWindow&)> List;
};

class ListLayout : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListLayout, WidthsAndOrderAreStoredAtCloseAndRestoredAtStart) {
    const ListCase& c = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::string name = c.Name;
    int columns = 0;
    {
        auto window = Start(dir);
        QHeaderView* header = c.List(*window)->horizontalHeader();
        columns = header->count();
        ASSERT_GE(columns, 3);
        header->resizeSection(0, 111);
        header->resizeSection(1, 57);
        header->moveSection(header->visualIndex(2), 0);  // column 2 first, then 0, 1, 3, ...
        window->close();
    }
    const ViewSettings view = ViewSettings::Load(dir / "corvel-lotto.frm");
    EXPECT_EQ(view.ReadInt("TFormMain", name + ".Column0", 0), 111);
    EXPECT_EQ(view.ReadInt("TFormMain", name + ".Column1", 0), 57);
    std::vector<int> order{2, 0, 1};
    for (int i = 3; i < columns; ++i) order.push_back(i);
    EXPECT_EQ(view.ReadInts("TFormMain", name + ".ColumnOrder", static_cast<std::size_t>(columns)), order);

    auto window = Start(dir);
    const QHeaderView* header = c.List(*window)->horizontalHeader();
    EXPECT_EQ(header->sectionSize(0), 111);
    EXPECT_EQ(header->sectionSize(1), 57);
    for (int visual = 0; visual < columns; ++visual)
        EXPECT_EQ(header->logicalIndex(visual), order[static_cast<std::size_t>(visual)]) << visual;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListLayout,
    ::testing::Values(ListCase{"lvDraws", [](gui::MainWindow& w) { return w.Draws()->View(); }},
                      ListCase{"lvCombs", [](gui::MainWindow& w) { return w.Combs()->CombsView(); }},
                      ListCase{"lvFilters", [](gui::MainWindow& w) { return w.Combs()->FiltersView(); }},
                      ListCase{"lvDrawsStat", [](gui::MainWindow& w) { return w.Stats()->Table(); }}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ListLayoutStore, OrderThatIsNoOrderOfTheColumnsIsIgnored) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    test::WriteBytes(dir / "corvel-lotto.frm",
                     "[TFormMain]\r\nlvCombs.ColumnOrder=0,0,1,2,3,4,5,6\r\nlvDraws.ColumnOrder=1,0\r\n"
                     "lvCombs.Column2=-5\r\n");
    auto window = Start(dir);
    for (QTableView* list : {window->Combs()->CombsView(), window->Draws()->View()}) {
        const QHeaderView* header = list->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) EXPECT_EQ(header->logicalIndex(visual), visual);
    }
    EXPECT_GT(window->Combs()->CombsView()->horizontalHeader()->sectionSize(2), 0);
}

// ---- the applied-filters list

TEST(AppliedFiltersList, CaptionColumnShowsTheLongestCaptionWhole) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    auto window = Start(dir);
    gui::StatsTab* tab = window->Stats();
    QTableView* filters = window->Combs()->FiltersView();
    const QFontMetrics metrics(filters->font());
    // The method whose caption is the widest of the list.
    int widest = -1;
    int widestWidth = 0;
    for (int line = 0; line < tab->MethodList()->count(); ++line) {
        const int index = tab->MethodList()->itemData(line).toInt();
        const int w = metrics.horizontalAdvance(
            QString::fromStdString(window->Workspace().Statistics().Registry().GetMethodText(index, true)));
        if (w > widestWidth) {
            widest = line;
            widestWidth = w;
        }
    }
    ASSERT_GE(widest, 0);
    tab->MethodList()->setCurrentIndex(widest);
    ASSERT_GT(tab->Model()->rowCount(), 0);
    tab->Table()->selectionModel()->select(tab->Model()->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->Actions().UpdateAll();
    window->Actions().Find("StatFilter_Exclude")->trigger();
    ASSERT_EQ(window->Combs()->FiltersModel()->rowCount(), 1);
    const QString caption = window->Combs()->FiltersModel()->index(0, 0).data().toString();
    ASSERT_EQ(metrics.horizontalAdvance(caption), widestWidth);
    const int icon = 16;
    EXPECT_GE(filters->horizontalHeader()->sectionSize(gui::AppliedFiltersModel::CaptionColumn), widestWidth + icon + 4)
        << caption.toStdString();
    EXPECT_GE(filters->horizontalHeader()->sectionSize(gui::AppliedFiltersModel::CaptionColumn),
              metrics.horizontalAdvance(QStringLiteral("Примененные фильтры")));
}

}  // namespace
}  // namespace corvel
