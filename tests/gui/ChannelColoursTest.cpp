// The channel colours of the draws and combination lists, and what a change
// of the channel width in the settings dialog does to the running program:
// the methods are registered again (the per-channel entries follow), the
// prefetch caches of the channel group are rebuilt, and the lists repaint in
// the colours of the new channels.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QTableView>
#include <filesystem>

#include "ActionList.h"
#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "dialogs/ConfigDialog.h"
#include "model/DrawArchive.h"
#include "model/ViewSettings.h"
#include "stats/Prefetch.h"
#include "stats/families/Channels.h"
#include "tabs/CombsTab.h"
#include "tabs/DrawsTab.h"
#include "tabs/StatsTab.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

QColor CellColour(QTableView* view, int row, int column) {
    return view->model()->data(view->model()->index(row, column), Qt::BackgroundRole).value<QColor>();
}

bool ListHasMethod(QComboBox* list, const QString& caption) {
    for (int i = 0; i < list->count(); ++i)
        if (list->itemText(i).contains(caption)) return true;
    return false;
}

TEST(ChannelColours, FollowTheSwitchAndTheChannelWidthOfTheSettings) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    window.show();
    ASSERT_TRUE(window.Initialise());
    app::Workspace& ws = window.Workspace();
    ws.Statistics().SetPrefetchsEnabled(true);
    ASSERT_TRUE(ws.Statistics().BuildPrefetchFiles(true, 0));
    const fs::path chan = PrefetchPath(ws.Files().PrefetchFolder(), "CHAN");
    const fs::path even = PrefetchPath(ws.Files().PrefetchFolder(), "EVEN");
    ASSERT_EQ(ReadPrefetch(chan)->Records.size(), 8u);
    const auto evenTime = fs::last_write_time(even);

    QTableView* draws = window.Draws()->View();
    QTableView* combs = window.Combs()->CombsView();
    // The newest draw is row 0; its third number is column 3. The first
    // combination is 1 2 3 4 5 6.
    const int third =
        GetDraw(ws.Archive().Draws(), static_cast<int>(ws.Archive().Draws().size()) - 1, false).Numbers[2];
    EXPECT_EQ(CellColour(draws, 0, 3), QColor::fromRgb(ChannelColour(third, 6)));
    EXPECT_EQ(CellColour(combs, 0, 6), QColor::fromRgb(0xAAFFAA));  // 6 lies in channel 1
    EXPECT_FALSE(CellColour(draws, 1, 10).isValid()) << "the date is not coloured";
    EXPECT_FALSE(ListHasMethod(window.Stats()->MethodList(), QStringLiteral("в 12 канале")));

    // Channels of four numbers through the settings dialog.
    test::AnswerDialog<gui::ConfigDialog>([](gui::ConfigDialog& d) {
        d.ChannelBox()->setValue(4);
        EXPECT_TRUE(d.Accept());
    });
    window.Actions().Find("EditConfig")->trigger();
    EXPECT_TRUE(window.Hooks().Messages().isEmpty())
        << window.Hooks().Messages().join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(ws.Statistics().Registry().Settings.Config.ChannelSize, 4);
    EXPECT_GE(ws.Statistics().Registry().FindMethod("CHN12"), 0);
    EXPECT_LT(ws.Statistics().Registry().FindMethod("CHN13"), 0);
    EXPECT_TRUE(ListHasMethod(window.Stats()->MethodList(), QStringLiteral("в 12 канале")));
    // The channel caches hold the new channels; the others were left alone.
    EXPECT_EQ(ReadPrefetch(chan)->Records.size(), 12u);
    EXPECT_TRUE(fs::exists(PrefetchPath(ws.Files().PrefetchFolder(), "CHN12")));
    EXPECT_EQ(fs::last_write_time(even), evenTime);
    EXPECT_EQ(CellColour(draws, 0, 3), QColor::fromRgb(ChannelColour(third, 4)));
    EXPECT_EQ(CellColour(combs, 0, 6), QColor::fromRgb(0xFFFFAA));  // 6 now lies in channel 2

    // Switched off, the number cells are left white and the choice is kept.
    window.Actions().Find("ViewColorDraws")->trigger();
    window.Actions().Find("ViewColorCombs")->trigger();
    EXPECT_FALSE(CellColour(draws, 1, 3).isValid());
    EXPECT_FALSE(CellColour(combs, 0, 6).isValid());
    const ViewSettings saved = ViewSettings::Load(ws.Files().ViewSettings());
    EXPECT_FALSE(saved.ReadBool("TFormMain", "ColorDraws", true));
    EXPECT_FALSE(saved.ReadBool("TFormMain", "ColorCombs", true));
}

}  // namespace
}  // namespace corvel
