#include "app/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace corvel::app {

FolderLock::~FolderLock() { Release(); }

bool FolderLock::Acquire(const std::filesystem::path& stakesFile) {
    Release();
    const int fd = ::open(stakesFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void FolderLock::Release() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace corvel::app
