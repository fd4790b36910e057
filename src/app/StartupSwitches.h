#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvel::app {

// The start-up switches of the desktop program. A switch matches an argument
// equal, ignoring case, to its name alone or after "-", "--", "/" or "\".
// "--data-dir DIR" chooses the data folder.
struct StartupSwitches {
    bool Restart = false;
    bool LoadOnly = false;
    bool FullRecreate = false;
    bool FullRefresh = false;
    bool NoLanguage = false;
    std::optional<std::filesystem::path> DataDir;
    std::vector<std::string> Unknown;  // arguments that are none of these

    static StartupSwitches Parse(const std::vector<std::string>& args);
    bool Unattended() const { return LoadOnly || FullRecreate || FullRefresh; }
};

}  // namespace corvel::app
