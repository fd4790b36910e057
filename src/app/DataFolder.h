#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the data files live, and their names in that folder.
namespace corvel::app {

// The data folder, in this order: the --data-dir switch, the environment
// variable CORVEL_DATA_DIR, the program's own folder when it is writable (a
// portable install), else $XDG_DATA_HOME/corvel-lotto (~/.local/share/...).
std::filesystem::path ResolveDataFolder(const std::optional<std::filesystem::path>& switchValue,
                                        const char* environmentValue, const std::filesystem::path& programFolder,
                                        const char* xdgDataHome, const char* home);

// The same, reading the real environment.
std::filesystem::path ResolveDataFolder(const std::optional<std::filesystem::path>& switchValue,
                                        const std::filesystem::path& programFolder);

// Makes sure the data folder is there before a data file is written into it:
// a missing folder is created with its parents (the first start). Something
// else in its place - a file, a symbolic-link loop, a link to nowhere - throws
// EFileError naming the path, and nothing is created.
void EnsureDataFolder(const std::filesystem::path& folder);

// A data file that could not be read at start-up is renamed to "<name>.bak",
// so that the next save does not write over what it held. Gives the text to
// add to the read error: setAside with the new name, or, when the rename
// failed, that the next save will replace the file (nothing for what is not a
// regular file, which no save replaces).
std::string KeepUnreadableFileAside(const std::filesystem::path& file, std::string_view setAside);

// The folder of the running program (from /proc/self/exe).
std::filesystem::path ProgramFolder();

// Names of the data files inside the data folder.
struct DataFiles {
    std::filesystem::path Folder;

    std::filesystem::path Archive() const;         // CorvelLotto_6x48.ldr
    std::filesystem::path GameSettings() const;    // CorvelLotto_6x48.ini
    std::filesystem::path Stakes() const;          // CorvelLotto_6x48.lsk
    std::filesystem::path Scenario() const;        // CorvelLotto_6x48.lss (the current scenario)
    std::filesystem::path Ratings() const;         // CorvelLotto_6x48.lrt
    std::filesystem::path Tables() const;          // CorvelLotto_6x48.ltb (the regular table stakes)
    std::filesystem::path ViewSettings() const;    // corvel-lotto.frm
    std::filesystem::path FilterNames() const;     // corvel-lotto.flt
    std::filesystem::path PrefetchFolder() const;  // Prefetchs/
    std::filesystem::path SystemsFolder() const;   // Systems/ (the local systems)
};

}  // namespace corvel::app
