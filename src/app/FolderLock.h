#pragma once

#include <chrono>
#include <filesystem>

namespace corvel::app {

// The per-folder single-instance guard, held for the whole run: a second copy
// of the program on the same folder cannot take it, and every command-line
// command that writes a data file takes it for the time it runs, so writers
// never overwrite each other's changes. The stakes file is made (empty) when
// missing and must open for writing, as the program needs it; the lock itself
// is on the data folder, which stays the same while the stakes file is
// rewritten through a temporary file and renamed.
class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the lock or the file cannot be opened
    // for writing (a read-only folder).
    bool Acquire(const std::filesystem::path& stakesFile);
    // The same, trying again for up to `wait` while another process holds
    // the lock. A file that cannot be opened fails at once.
    bool Acquire(const std::filesystem::path& stakesFile, std::chrono::milliseconds wait);
    void Release();
    bool Held() const { return fd_ >= 0; }
    // The errno of the last failed Acquire: EWOULDBLOCK while another process
    // holds the lock, else why the file could not be opened.
    int LastError() const { return error_; }

  private:
    int fd_ = -1;
    int error_ = 0;
};

}  // namespace corvel::app
