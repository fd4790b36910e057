// The GUI tests run real widgets on the offscreen platform: one application
// object for the whole program, created before the tests. The offscreen
// screen is that of a small laptop (1366 x 768 at 96 dpi), so window sizes
// and placements are those a player meets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "QtTranslations.h"

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::filesystem::path screens;
    if (!platform || std::string(platform) == "offscreen") {
        screens = std::filesystem::temp_directory_path() /
                  ("corvel-gui-tests-screen-" + std::to_string(::getpid()) + ".json");
        std::ofstream(screens) << R"({"screens": [{"name": "Laptop", "x": 0, "y": 0, "width": 1366, )"
                               << R"("height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.string()).c_str(), 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        corvel::gui::InstallQtTranslations(app);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!screens.empty()) {
        std::error_code ec;
        std::filesystem::remove(screens, ec);
    }
    return result;
}
