#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "GuiText.h"
#include "MainWindow.h"
#include "QtTranslations.h"
#include "app/DataFolder.h"
#include "app/ProcessList.h"
#include "app/StartupSwitches.h"
#include "i18n/Texts.h"

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    std::vector<std::string> args(argv + 1, argv + argc);
    // --screenshot FILE: start, let the window settle, save a picture of it
    // and end (used to make the picture in the documentation).
    std::string screenshot;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--screenshot") {
            screenshot = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    // --screenshot-tab NAME: show that tab (its page's object name, for
    // example CombsTab) in the picture.
    std::string screenshotTab;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--screenshot-tab") {
            screenshotTab = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    // --report-startup: print how long the start took, then end.
    const auto reportIt = std::find(args.begin(), args.end(), std::string("--report-startup"));
    const bool reportStartup = reportIt != args.end();
    if (reportStartup) args.erase(reportIt);
    // Without a display the program cannot show its window: say so plainly
    // instead of letting the toolkit abort.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && (!platform || !*platform)) {
        std::fprintf(stderr, "corvel-lotto: %s\n", corvel::texts::kGuiNoDisplay.Str().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvel-lotto"));
    corvel::gui::InstallQtTranslations(app);

    const auto switches = corvel::app::StartupSwitches::Parse(args);
    // Started by the program itself to replace the running instance: wait
    // (about a minute at most) until that one has ended.
    if (switches.Restart &&
        !corvel::app::WaitForOtherInstances(corvel::app::ProgramFileName(), static_cast<int>(::getpid()), 601,
                                            std::chrono::milliseconds(100))) {
        std::fprintf(stderr, "corvel-lotto: %s\n", corvel::texts::kGuiPreviousInstanceRunning.Str().c_str());
        return 0;
    }
    const auto folder = corvel::app::ResolveDataFolder(switches.DataDir, corvel::app::ProgramFolder());
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);

    corvel::gui::MainWindow window(corvel::app::DataFiles{folder}, switches);
    window.show();
    int exitCode = 0;
    // The data are loaded once the window is on the screen.
    QTimer::singleShot(100, &window, [&] {
        if (!window.Initialise()) {
            QApplication::exit(0);
            return;
        }
        if (reportStartup) {
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
            std::fprintf(stderr, "startup %.0f ms (goal: 3000 ms) - %s\n", ms, ms <= 3000 ? "ok" : "MISSED");
            window.close();
            return;
        }
        if (!screenshotTab.empty())
            for (QTabWidget* tabs : {window.LeftTabs(), window.RightTabs()})
                if (auto* page = tabs->findChild<QWidget*>(QString::fromStdString(screenshotTab)))
                    tabs->setCurrentWidget(page);
        if (!screenshot.empty())
            QTimer::singleShot(700, &window, [&] {
                if (!window.grab().save(QString::fromStdString(screenshot))) exitCode = 1;
                window.close();
            });
    });
    const int rc = QApplication::exec();
    return rc != 0 ? rc : exitCode;
}
