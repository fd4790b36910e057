// The restart wait over the real process list, and the per-folder lock taken
// by a second process and by a user without write rights.
#include <gtest/gtest.h>
#include <grp.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "TestSupport.h"
#include "app/FolderLock.h"
#include "app/ProcessList.h"

extern char** environ;

namespace corvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A child process running a copy of `sleep` under the given file name.
class NamedSleeper {
  public:
    NamedSleeper(const fs::path& folder, const std::string& name, const char* seconds) {
        const fs::path exe = folder / name;
        fs::copy_file("/bin/sleep", exe);
        fs::permissions(exe, static_cast<fs::perms>(0755));
        std::string program = exe.string(), arg = seconds;
        char* argv[] = {program.data(), arg.data(), nullptr};
        if (::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
    }
    ~NamedSleeper() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            Reap();
        }
    }
    int Pid() const { return pid_; }
    void Reap() {
        int status = 0;
        if (pid_ > 0) ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
};

bool Contains(const std::vector<int>& pids, int pid) { return std::find(pids.begin(), pids.end(), pid) != pids.end(); }

TEST(ProcessList, RestartWaitsForTheOtherInstanceToEnd) {
    test::TempDir dir;
    NamedSleeper other(dir.path(), "CorvelProbe-Restart", "0.5");
    ASSERT_GT(other.Pid(), 0);
    // The name compares ignoring case; this process itself never counts.
    EXPECT_TRUE(Contains(app::ProcessesNamed("corvelprobe-restart"), other.Pid()));
    EXPECT_FALSE(app::WaitForOtherInstances("corvelprobe-restart", ::getpid(), 3, 10ms));
    EXPECT_TRUE(app::WaitForOtherInstances("corvelprobe-restart", other.Pid(), 1, 10ms));
    // Once it has exited it is a zombie until reaped, and no longer counts.
    EXPECT_TRUE(app::WaitForOtherInstances("corvelprobe-restart", ::getpid(), 200, 20ms));
    other.Reap();
    EXPECT_TRUE(app::ProcessesNamed("corvelprobe-restart").empty());
    EXPECT_EQ(app::ProgramFileName(), "corvel_tests");
}

TEST(ProcessList, OtherUsersProcessesMatchByTheirCommandName) {
    // A process whose executable link cannot be read is matched by the first
    // 15 characters of its name, which is all the kernel keeps.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a part as another user";
    test::TempDir dir;
    fs::permissions(dir.path(), static_cast<fs::perms>(0755));
    NamedSleeper other(dir.path(), "CorvelProbeLongName", "5");
    ASSERT_GT(other.Pid(), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(126);
        ::_exit(Contains(app::ProcessesNamed("corvelprobelongname"), other.Pid()) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The lock tried in a child process, optionally as user nobody; the exit
// code tells whether it was taken.
bool LockTakenByChild(const fs::path& stakes, bool asNobody) {
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(126);
        app::FolderLock lock;
        ::_exit(lock.Acquire(stakes) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(FolderLock, OneHolderPerFolder) {
    test::TempDir dir;
    const fs::path stakes = dir / "CorvelLotto_6x48.lsk";
    app::FolderLock lock;
    ASSERT_TRUE(lock.Acquire(stakes));
    EXPECT_TRUE(fs::exists(stakes));
    EXPECT_EQ(fs::file_size(stakes), 0u);
    EXPECT_FALSE(LockTakenByChild(stakes, false));
    lock.Release();
    EXPECT_TRUE(LockTakenByChild(stakes, false));
    // A folder entry that cannot be opened as a file is refused, not a crash.
    fs::create_directory(dir / "taken.lsk");
    EXPECT_FALSE(lock.Acquire(dir / "taken.lsk"));
    EXPECT_FALSE(lock.Held());
}

// The stakes file is rewritten by renaming a new file over it; the folder
// stays held all the same.
TEST(FolderLock, HoldsAcrossARewriteOfTheStakesFile) {
    test::TempDir dir;
    const fs::path stakes = dir / "CorvelLotto_6x48.lsk";
    app::FolderLock lock;
    ASSERT_TRUE(lock.Acquire(stakes));
    test::WriteBytes(dir / "new.lsk", std::string(312, '\x02'));
    fs::rename(dir / "new.lsk", stakes);
    EXPECT_FALSE(LockTakenByChild(stakes, false));
    fs::remove(stakes);
    EXPECT_FALSE(LockTakenByChild(stakes, false));
}

TEST(FolderLock, ReadOnlyFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a part as another user";
    test::TempDir dir;
    fs::permissions(dir.path(), static_cast<fs::perms>(0555));
    // No stakes file yet: it cannot be created.
    EXPECT_FALSE(LockTakenByChild(dir / "CorvelLotto_6x48.lsk", true));
    // A stakes file the user may read but not write.
    fs::permissions(dir.path(), static_cast<fs::perms>(0755));
    test::WriteBytes(dir / "CorvelLotto_6x48.lsk", "");
    fs::permissions(dir / "CorvelLotto_6x48.lsk", static_cast<fs::perms>(0644));
    EXPECT_FALSE(LockTakenByChild(dir / "CorvelLotto_6x48.lsk", true));
    // The same file made writable for everybody: now it is taken.
    fs::permissions(dir / "CorvelLotto_6x48.lsk", static_cast<fs::perms>(0666));
    EXPECT_TRUE(LockTakenByChild(dir / "CorvelLotto_6x48.lsk", true));
}

}  // namespace
}  // namespace corvel
