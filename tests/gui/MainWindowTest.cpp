// The main window on the sample data: start-up, the status panels, damaged
// files at start-up, the folder lock and closing during a long operation.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <functional>

#include "GuiTestSupport.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "app/FolderLock.h"
#include "model/ViewSettings.h"

namespace corvel {
namespace {

TEST(MainWindow, StartsOnTheSampleData) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    window.show();
    ASSERT_TRUE(window.Initialise());
    EXPECT_TRUE(
        window.windowTitle().startsWith(QStringLiteral("Анализ статистики лотереи \"Corvel Lotto 6x48\" версия ")));
    EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("Архив тиражей: 1500"));
    EXPECT_EQ(window.StatusPanel(1)->text(), QStringLiteral("Следующий тираж: 1501"));
    EXPECT_EQ(window.StatusPanel(3)->text(), QStringLiteral("Комбинаций: 12271512"));
    EXPECT_EQ(window.RightTabs()->count(), 10);
    EXPECT_EQ(window.RightTabs()->tabText(1), QStringLiteral("Графики"));
    EXPECT_TRUE(window.RightTabs()->isTabEnabled(1));
    EXPECT_EQ(window.RightTabs()->tabText(2), QStringLiteral("Карта"));
    EXPECT_TRUE(window.RightTabs()->isTabEnabled(2));
    // The week view is never shown.
    EXPECT_EQ(window.RightTabs()->tabText(4), QStringLiteral("Неделя"));
    EXPECT_FALSE(window.RightTabs()->isTabVisible(4));
    EXPECT_TRUE(window.Hooks().Messages().isEmpty())
        << window.Hooks().Messages().join(QStringLiteral("\n")).toStdString();
}

TEST(MainWindow, SecondCopyOnTheSameFolderIsRefused) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    app::FolderLock first;
    ASSERT_TRUE(first.Acquire(dir / "CorvelLotto_6x48.lsk"));
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    test::PressInNextMessageBox(QMessageBox::Ok);
    EXPECT_FALSE(window.Initialise());
    ASSERT_FALSE(window.Hooks().Messages().isEmpty());
    EXPECT_TRUE(window.Hooks().Messages().back().startsWith(QStringLiteral("Невозможно получить монопольный доступ")));
    first.Release();
}

// Closes every message box that opens while it lives, as a person pressing OK.
class MessageBoxCloser {
  public:
    MessageBoxCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->done(QMessageBox::Ok);
        });
        timer_.start(20);
    }

  private:
    QTimer timer_;
};

struct DamagedFileCase {
    const char* Name;
    const char* File;     // the file replaced by a folder of that name, or filled with bytes
    const char* Bytes;    // nullptr: a folder
    const char* Message;  // the start of the error shown; nullptr: none
    int Draws;
};

class MainWindowDamagedFile : public ::testing::TestWithParam<DamagedFileCase> {};

// A file that cannot be read gives its error box; the window still opens with
// what could be read, and the full combination list.
TEST_P(MainWindowDamagedFile, ShowsTheErrorAndOpens) {
    const DamagedFileCase& c = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::filesystem::path file = dir / c.File;
    std::filesystem::remove(file);
    if (c.Bytes)
        test::WriteBytes(file, c.Bytes);
    else
        std::filesystem::create_directory(file);

    MessageBoxCloser closer;
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    window.show();
    ASSERT_TRUE(window.Initialise());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("Архив тиражей: %1").arg(c.Draws));
    EXPECT_EQ(window.StatusPanel(3)->text(), QStringLiteral("Комбинаций: 12271512"));
    const QStringList& shown = window.Hooks().Messages();
    if (c.Message) {
        ASSERT_EQ(shown.size(), 1) << shown.join(QStringLiteral("\n")).toStdString();
        EXPECT_TRUE(shown[0].startsWith(QString::fromUtf8(c.Message))) << shown[0].toStdString();
    } else {
        EXPECT_TRUE(shown.isEmpty()) << shown.join(QStringLiteral("\n")).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainWindowDamagedFile,
    ::testing::Values(
        DamagedFileCase{"UnreadableArchive", "CorvelLotto_6x48.ldr", nullptr, "Ошибка чтения файла тиражей!", 0},
        DamagedFileCase{"UnreadableSettings", "CorvelLotto_6x48.ini", nullptr, "Ошибка чтения файла конфигурации!",
                        1500},
        DamagedFileCase{"UnreadableViewSettings", "corvel-lotto.frm", nullptr, "Ошибка загрузки параметров программы!",
                        1500},
        DamagedFileCase{"GarbledSettings", "CorvelLotto_6x48.ini",
                        "[GLOBAL]\r\nCombsGenerateMode=zz\r\nMatrixCols=0\r\n\x01\x02\xff=\r\n", nullptr, 1500},
        DamagedFileCase{"GarbledViewSettings", "corvel-lotto.frm",
                        "[TFormMain]\r\nPosition=a,b\r\nLeftPanelWidth=-9000\r\nDrawsExclude=-4\r\n", nullptr, 1500}),
    [](const auto& row) { return std::string(row.param.Name); });

// An unattended run leaves its note in the log and ends by itself: nothing
// waits for a click.
TEST(MainWindow, LoadOnlyEndsWithoutAMessageBox) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    app::StartupSwitches switches;
    switches.LoadOnly = true;
    test::ModalWatcher watcher;
    gui::MainWindow window(app::DataFiles{dir.path()}, switches);
    window.show();
    EXPECT_FALSE(window.Initialise()) << "loadonly quits after loading";
    EXPECT_EQ(watcher.Opened(), 0) << "a message box waited for a click";
    ASSERT_FALSE(window.Hooks().Messages().isEmpty());
    EXPECT_TRUE(window.Hooks().Messages().back().startsWith(QStringLiteral("Загрузка тиражей из сети")));
}

TEST(MainWindow, LoadOnlyProgramEndsByItselfAndWritesItsNoteToStandardError) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const test::GuiRun run =
        test::RunGuiProgram({"--data-dir", dir.path().string(), "/LOADONLY"}, std::chrono::seconds(60));
    ASSERT_TRUE(run.Ended) << "the program still waited after a minute: " << run.Err;
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Err.find("Загрузка тиражей из сети будет доступна"), std::string::npos) << run.Err;
}

TEST(MainWindow, ClosingDuringALongOperationStopsItFirst) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    window.show();
    ASSERT_TRUE(window.Initialise());

    window.Hooks().BeginBusy();  // an operation is running
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Hooks().StopRequested());
    EXPECT_FALSE(std::filesystem::exists(dir / "corvel-lotto.frm"));

    window.Hooks().EndBusy();  // it has stopped: the window closes by itself
    QElapsedTimer waited;
    waited.start();
    while (window.isVisible() && waited.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(window.isVisible());
    // The placement is written once the window has closed.
    const auto placed = ViewSettings::Load(dir / "corvel-lotto.frm").ReadInts("TFormMain", "NormPos", 4);
    ASSERT_TRUE(placed.has_value());
    EXPECT_GT((*placed)[2] - (*placed)[0], 0);
}

}  // namespace
}  // namespace corvel
