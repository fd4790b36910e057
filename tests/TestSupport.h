#pragma once

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/DrawRecord.h"
#include "model/Expected.h"

// Shared pieces of the tests: temporary data folders, small archives written
// by the test itself, and running the real command-line program.
namespace corvel::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// The message of the exception the call throws; empty when it throws none.
template <typename Call>
std::string ErrorOf(Call&& call) {
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// A check's refusal text, nothing when it accepted: the shape the tables of
// the validator tests are written in.
template <typename T>
std::optional<std::string> RefusalOf(const TExpected<T>& result) {
    if (result) return std::nullopt;
    return result.Error();
}

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// A draw record for fixtures: draw number, six numbers in drawing order,
// extras and date.
TDrawRec MakeDraw(int number, TCombination numbers, std::array<std::uint8_t, 2> extra = {1, 2},
                  std::string_view date = "");

// The names of the entries of a folder, sorted (to see that no temporary file
// was left behind).
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// Copies the bundled sample archive into the folder.
void CopySampleArchive(const std::filesystem::path& folder);

struct ProcessResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// Runs the built `corvel` program with the arguments. With fileSizeLimit > 0
// the child runs under that file-size limit in bytes (RLIMIT_FSIZE), which is
// how the tests simulate a full disk. With asNobody the child drops root
// rights first, so folder permissions apply even when the tests run as root.
ProcessResult RunCorvel(const std::vector<std::string>& args, long fileSizeLimit = 0, bool asNobody = false);

// A program started in the background, not waited for: its standard output
// and error go to files; it is killed and reaped when the object goes.
// `environment` entries ("NAME=value") are added to this process's own; with
// memoryLimit > 0 the child's address space is limited to that many bytes, so
// a program reading without end fails quickly instead of filling the memory.
class ChildProcess {
  public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& environment = {}, long long memoryLimit = 0);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int Pid() const { return pid_; }
    // The exit code (128 + signal when killed by one), or -1 when it is still
    // running after `timeout`.
    int Wait(std::chrono::milliseconds timeout);
    void Signal(int signal);
    std::string Out() const;
    std::string Err() const;

  private:
    TempDir io_;
    int pid_ = -1;
    int exitCode_ = -1;
};

}  // namespace corvel::test
