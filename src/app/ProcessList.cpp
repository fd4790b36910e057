#include "app/ProcessList.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>
#include <thread>

namespace corvel::app {
namespace {

constexpr std::size_t kCommandNameLength = 15;

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The state letter of /proc/PID/stat: after the command name in parentheses,
// which may itself hold spaces and parentheses.
char ProcessState(const std::filesystem::path& procDir) {
    const std::string stat = FirstLine(procDir / "stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) return '?';
    return stat[close + 2];
}

bool ProcessMatches(const std::filesystem::path& procDir, std::string_view fileName) {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink(procDir / "exe", ec);
    if (!ec) {
        // A replaced executable reads "name (deleted)"; it is the same program.
        std::string name = exe.filename().string();
        constexpr std::string_view kDeleted = " (deleted)";
        if (name.size() > kDeleted.size() && name.ends_with(kDeleted)) name.resize(name.size() - kDeleted.size());
        return SameName(name, fileName);
    }
    if (!std::filesystem::exists(procDir / "comm", ec)) return false;
    return SameName(FirstLine(procDir / "comm"), fileName.substr(0, kCommandNameLength));
}

}  // namespace

std::vector<int> ProcessesNamed(std::string_view fileName) {
    std::vector<int> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        int pid = 0;
        const auto [ptr, err] = std::from_chars(name.data(), name.data() + name.size(), pid);
        if (err != std::errc() || ptr != name.data() + name.size()) continue;
        // A process may end at any moment; whatever cannot be read is not counted.
        if (ProcessMatches(it->path(), fileName) && ProcessState(it->path()) != 'Z') found.push_back(pid);
    }
    return found;
}

bool WaitForOtherInstances(std::string_view fileName, int selfPid, int attempts, std::chrono::milliseconds step) {
    for (int i = 0; i < attempts; ++i) {
        const auto pids = ProcessesNamed(fileName);
        if (std::none_of(pids.begin(), pids.end(), [selfPid](int pid) { return pid != selfPid; })) return true;
        if (i + 1 < attempts) std::this_thread::sleep_for(step);
    }
    return false;
}

std::string ProgramFileName() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.filename().string();
}

}  // namespace corvel::app
