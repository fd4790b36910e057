#include "app/DataFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
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

void EnsureDataFolder(const std::filesystem::path& folder) {
    struct stat st {};
    int err = 0;
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return;
        throw EFileError(Format("%s: %s", {folder.string(), texts::kPathNotFolder}));
    }
    err = errno;
    if (err == ENOENT && ::lstat(folder.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        throw EFileError(Format("%s: %s", {folder.string(), texts::kPathDanglingSymlink}));
    if (err == ENOENT) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (!ec) return;
        err = ec.value();
    }
    throw EFileError(Format("%s: %s", {folder.string(), SystemErrorText(err)}));
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path DataFiles::Archive() const { return Folder / (std::string(kGameStem) + ".ldr"); }
std::filesystem::path DataFiles::GameSettings() const { return Folder / (std::string(kGameStem) + ".ini"); }
std::filesystem::path DataFiles::Stakes() const { return Folder / (std::string(kGameStem) + ".lsk"); }
std::filesystem::path DataFiles::Scenario() const { return Folder / (std::string(kGameStem) + ".lss"); }
std::filesystem::path DataFiles::Ratings() const { return Folder / (std::string(kGameStem) + ".lrt"); }
std::filesystem::path DataFiles::Tables() const { return Folder / (std::string(kGameStem) + ".ltb"); }
std::filesystem::path DataFiles::ViewSettings() const { return Folder / (std::string(kProgramStem) + ".frm"); }
std::filesystem::path DataFiles::FilterNames() const { return Folder / (std::string(kProgramStem) + ".flt"); }
std::filesystem::path DataFiles::PrefetchFolder() const { return Folder / "Prefetchs"; }
std::filesystem::path DataFiles::SystemsFolder() const { return Folder / "Systems"; }

std::string KeepUnreadableFileAside(const std::filesystem::path& file, std::string_view setAside) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return {};
    const std::filesystem::path aside(file.string() + ".bak");
    std::filesystem::rename(file, aside, ec);
    return ec ? Format(texts::kDataFileNotSetAside, {SystemErrorText(ec.value())}) : Format(setAside, {aside.string()});
}

}  // namespace corvel::app
