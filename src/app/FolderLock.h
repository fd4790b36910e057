#pragma once

#include <filesystem>

namespace corvel::app {

// The per-folder single-instance guard: the stakes file of the data folder,
// created empty when missing, held open with an exclusive lock for the whole
// run. A second copy of the program on the same folder cannot take it.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when another process holds the lock or the file cannot be opened
    // for writing (a read-only folder).
    bool Acquire(const std::filesystem::path& stakesFile);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace corvel::app
