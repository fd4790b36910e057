// The desktop program, as a real process, holds its data folder: a command-line
// writer started meanwhile is refused and changes nothing, so the program's
// next archive save cannot erase a draw added behind its back.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

#include <sys/stat.h>

#include "TestSupport.h"

namespace corvel {
namespace {

using namespace std::chrono_literals;

// Whether the process holds a flock() on the file or folder, as the kernel lists it:
// "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF".
bool FlockHeldBy(int pid, const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return false;
    const std::string inode = ":" + std::to_string(st.st_ino) + " ";
    std::istringstream locks(test::ReadBytes("/proc/locks"));
    for (std::string line; std::getline(locks, line);)
        if (line.find("FLOCK") != std::string::npos &&
            line.find(" " + std::to_string(pid) + " ") != std::string::npos && line.find(inode) != std::string::npos)
            return true;
    return false;
}

TEST(DesktopFolderLock, CommandLineWriterIsRefusedWhileTheProgramRuns) {
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    const std::string before = test::ReadBytes(dir / "CorvelLotto_6x48.ldr");
    test::ChildProcess program(CORVEL_GUI_PATH, {"--data-dir", dir.path().string()}, {"QT_QPA_PLATFORM=offscreen"});

    // The program takes the lock (on its data folder) once its window is up.
    // Watched in /proc/locks,
    // since trying the lock here could itself make the program's attempt fail.
    bool held = false;
    for (auto deadline = std::chrono::steady_clock::now() + 60s;
         !held && std::chrono::steady_clock::now() < deadline;) {
        held = FlockHeldBy(program.Pid(), dir.path());
        if (!held) std::this_thread::sleep_for(20ms);
        ASSERT_EQ(program.Wait(0ms), -1) << "the program ended early: " << program.Err();
    }
    ASSERT_TRUE(held);

    const test::ProcessResult r = test::RunCorvel({"--data-dir", dir.path().string(), "--lock-wait", "1", "add-draw",
                                                   "1501", "1;2;3;4;5;6;7;8", "--date", "01.01.2027"});
    EXPECT_EQ(r.ExitCode, 1) << r.Err;
    EXPECT_NE(r.Err.find("Невозможно получить монопольный доступ к файлам данных!"), std::string::npos) << r.Err;
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.ldr"), before);

    const test::ProcessResult stake = test::RunCorvel(
        {"--data-dir", dir.path().string(), "--lock-wait", "1", "stakes", "add", "1501", "1;2;3;4;5;6"});
    EXPECT_EQ(stake.ExitCode, 1) << stake.Err;
    EXPECT_NE(stake.Err.find("Невозможно получить монопольный доступ к файлам данных!"), std::string::npos)
        << stake.Err;
    EXPECT_EQ(test::ReadBytes(dir / "CorvelLotto_6x48.lsk"), "");

    program.Signal(SIGTERM);
    EXPECT_NE(program.Wait(30s), -1);
}

}  // namespace
}  // namespace corvel
