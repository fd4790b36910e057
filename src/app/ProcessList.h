#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The running processes, as far as the restart switch needs them: a program
// started with "restart" waits until the instance it replaces has ended.
namespace corvel::app {

// The identifiers of the live processes (zombies left out) whose executable
// file name equals `fileName`, ignoring the case of Latin letters. The name is
// read from /proc/PID/exe; a process whose link cannot be read (another user's)
// is matched by its command name, which the kernel cuts to 15 characters.
std::vector<int> ProcessesNamed(std::string_view fileName);

// Waits while another process than `selfPid` with the executable file name
// `fileName` runs: checks, then sleeps `step`, at most `attempts` checks in
// all. True when none is left.
bool WaitForOtherInstances(std::string_view fileName, int selfPid, int attempts, std::chrono::milliseconds step);

// The file name of the running program (from /proc/self/exe).
std::string ProgramFileName();

}  // namespace corvel::app
