#include "app/DataFolder.h"

#include <unistd.h>

#include <cstdlib>

#include "model/GameConstants.h"

namespace corvel::app {

std::filesystem::path ResolveDataFolder(const std::optional<std::filesystem::path>& switchValue,
                                        const char* environmentValue, const std::filesystem::path& programFolder,
                                        const char* xdgDataHome, const char* home) {
    if (switchValue && !switchValue->empty()) return *switchValue;
    if (environmentValue && *environmentValue) return environmentValue;
    if (!programFolder.empty() && ::access(programFolder.c_str(), W_OK) == 0) return programFolder;
    if (xdgDataHome && *xdgDataHome) return std::filesystem::path(xdgDataHome) / kProgramStem;
    return std::filesystem::path(home && *home ? home : ".") / ".local" / "share" / kProgramStem;
}

std::filesystem::path ResolveDataFolder(const std::optional<std::filesystem::path>& switchValue,
                                        const std::filesystem::path& programFolder) {
    return ResolveDataFolder(switchValue, std::getenv("CORVEL_DATA_DIR"), programFolder, std::getenv("XDG_DATA_HOME"),
                             std::getenv("HOME"));
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path DataFiles::Archive() const { return Folder / (std::string(kGameStem) + ".ldr"); }
std::filesystem::path DataFiles::GameSettings() const { return Folder / (std::string(kGameStem) + ".ini"); }
std::filesystem::path DataFiles::Stakes() const { return Folder / (std::string(kGameStem) + ".lsk"); }
std::filesystem::path DataFiles::ViewSettings() const { return Folder / (std::string(kProgramStem) + ".frm"); }
std::filesystem::path DataFiles::FilterNames() const { return Folder / (std::string(kProgramStem) + ".flt"); }
std::filesystem::path DataFiles::PrefetchFolder() const { return Folder / "Prefetchs"; }

}  // namespace corvel::app
