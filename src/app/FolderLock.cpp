#include "app/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace corvel::app {

FolderLock::~FolderLock() { Release(); }

bool FolderLock::Acquire(const std::filesystem::path& stakesFile) {
    return Acquire(stakesFile, std::chrono::milliseconds(0));
}

bool FolderLock::Acquire(const std::filesystem::path& stakesFile, std::chrono::milliseconds wait) {
    Release();
    // O_NONBLOCK: a FIFO in the file's place must not block the open.
    const int file = ::open(stakesFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (file < 0) {
        error_ = errno;
        return false;
    }
    ::close(file);
    std::filesystem::path folder = stakesFile.parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        const int err = errno;
        if (err == EINTR) continue;
        if (err != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            error_ = err;
            ::close(fd);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    fd_ = fd;
    error_ = 0;
    return true;
}

void FolderLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace corvel::app
