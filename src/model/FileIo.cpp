#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel {
namespace {

std::string PathText(const std::filesystem::path& p) { return p.string(); }

// Closes a descriptor on every path out of a function.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// What the temporary file of a rewrite of the file is called: the hidden name
// of the file, ".~tmp" and the six characters mkstemp puts for the XXXXXX.
constexpr std::string_view kTemporaryMark = ".~tmp";
constexpr std::size_t kTemporaryRandomChars = 6;

std::string TemporaryPrefix(const std::filesystem::path& path) {
    return "." + path.filename().string() + std::string(kTemporaryMark);
}

bool IsTemporaryNameOf(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + kTemporaryRandomChars || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Why something at the path cannot be used as a data file; empty for a regular file.
std::string NotAFileText(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return SystemErrorText(EISDIR);
    if (S_ISFIFO(mode)) return texts::kPathIsFifo.Str();
    if (S_ISCHR(mode) || S_ISBLK(mode)) return texts::kPathIsDevice.Str();
    if (S_ISSOCK(mode)) return texts::kPathIsSocket.Str();
    return texts::kPathNotRegularFile.Str();
}

void RequireRegularFile(const std::filesystem::path& path, mode_t mode) {
    const std::string why = NotAFileText(mode);
    if (!why.empty()) throw EFileError(Format("%s: %s", {PathText(path), why}));
}

}  // namespace

void ThrowFileError(const std::filesystem::path& path, int err) {
    const std::string message = Format("%s: %s", {PathText(path), SystemErrorText(err)});
    if (err == ENOENT) throw EFileNotFound(message);
    throw EFileError(message);
}

std::string SystemErrorText(int err) {
    switch (err) {
        case ENOENT:
            return texts::kSysErrorNotFound.Str();
        case EACCES:
        case EPERM:
            return texts::kSysErrorAccessDenied.Str();
        case EROFS:
            return texts::kSysErrorReadOnly.Str();
        case ENOSPC:
            return texts::kSysErrorNoSpace.Str();
        case EDQUOT:
            return texts::kSysErrorQuota.Str();
        case EFBIG:
            return texts::kSysErrorFileTooLarge.Str();
        case EISDIR:
            return texts::kSysErrorIsFolder.Str();
        case ENOTDIR:
            return texts::kSysErrorNotFolder.Str();
        case EIO:
            return texts::kSysErrorIo.Str();
        case EMFILE:
        case ENFILE:
            return texts::kSysErrorTooManyOpenFiles.Str();
        case ENAMETOOLONG:
            return texts::kSysErrorNameTooLong.Str();
        case ELOOP:
            return texts::kSysErrorSymlinkLoop.Str();
        case ENOMEM:
            return texts::kSysErrorNoMemory.Str();
        case EEXIST:
            return texts::kSysErrorExists.Str();
        case EWOULDBLOCK:
            return texts::kSysErrorBusy.Str();
        default:
            return Format(texts::kSysErrorOther, {err, std::strerror(err)});
    }
}

std::string ReadFileBytes(const std::filesystem::path& path, std::uint64_t maxBytes) {
    // Look before opening: opening a device can have effects of its own.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) ThrowFileError(path, errno);
    RequireRegularFile(path, st.st_mode);
    // O_NONBLOCK: should a FIFO have taken the file's place meanwhile, opening
    // it must not wait for a writer.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) ThrowFileError(path, errno);
    // What counts is what was opened.
    if (::fstat(fd.get(), &st) != 0) ThrowFileError(path, errno);
    RequireRegularFile(path, st.st_mode);
    const auto size = static_cast<std::uint64_t>(st.st_size);
    auto tooLarge = [&](std::uint64_t bytes) {
        return EFileTooLarge(Format("%s: %s", {PathText(path), SystemErrorText(EFBIG)}), bytes);
    };
    if (size > maxBytes) throw tooLarge(size);

    std::string data;
    try {
        data.reserve(static_cast<std::size_t>(size));
        char buf[1 << 16];
        for (;;) {
            ssize_t n = ::read(fd.get(), buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR) continue;
                ThrowFileError(path, errno);
            }
            if (n == 0) break;
            // The file may grow while it is read.
            if (data.size() + static_cast<std::uint64_t>(n) > maxBytes)
                throw tooLarge(data.size() + static_cast<std::uint64_t>(n));
            data.append(buf, static_cast<std::size_t>(n));
        }
    } catch (const std::bad_alloc&) {
        ThrowFileError(path, ENOMEM);
    } catch (const std::length_error&) {
        ThrowFileError(path, ENOMEM);
    }
    return data;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& path) {
    std::filesystem::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    const std::string prefix = TemporaryPrefix(path);
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsTemporaryNameOf(name, prefix)) continue;
        // O_NOFOLLOW and the type check: only a plain file of that name is ours.
        FileDescriptor fd(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (fd.get() < 0) continue;
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        // A writer holds the lock until its file has been renamed; a killed
        // one has lost it.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
        ::unlink(it->path().c_str());
    }
}

TAtomicFileWriter::TAtomicFileWriter(const std::filesystem::path& linkOrPath, unsigned newFileMode) {
    // A data file that is a symbolic link is rewritten where the link points,
    // so the link stays a link. A link that leads nowhere sensible (a loop) is
    // an error, not something to replace with a file.
    path_ = linkOrPath;
    struct stat linkStat {};
    if (::lstat(linkOrPath.c_str(), &linkStat) == 0 && S_ISLNK(linkStat.st_mode)) {
        std::error_code linkError;
        auto target = std::filesystem::weakly_canonical(linkOrPath, linkError);
        if (linkError) ThrowFileError(linkOrPath, linkError.value());
        path_ = target;
    }
    // Keep the old file's permissions; a new file gets the requested ones.
    // Anything but a regular file stays as it is.
    struct stat old {};
    mode_t mode;
    if (::stat(path_.c_str(), &old) == 0) {
        RequireRegularFile(path_, old.st_mode);
        mode = old.st_mode & 07777;
    } else {
        if (errno != ENOENT) ThrowFileError(path_, errno);
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<mode_t>(newFileMode) & ~mask;
    }

    std::filesystem::path dir = path_.parent_path();
    if (dir.empty()) dir = ".";
    RemoveStaleTemporaryFiles(path_);

    // The lock on the temporary file tells RemoveStaleTemporaryFiles of other
    // rewrites that this one is alive. Should one of them have taken the
    // brand-new file for a leftover already, another name is taken.
    const std::string pattern = (dir / (TemporaryPrefix(path_) + std::string(kTemporaryRandomChars, 'X'))).string();
    for (int attempt = 0; attempt < 3 && fd_ < 0; ++attempt) {
        std::string name = pattern;
        const int candidate = ::mkstemp(name.data());
        if (candidate < 0) ThrowFileError(path_, errno);
        if (::flock(candidate, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            ::close(candidate);
            continue;
        }
        fd_ = candidate;
        tmpName_ = name;
    }
    if (fd_ < 0) ThrowFileError(path_, EWOULDBLOCK);
    if (::fchmod(fd_, mode) != 0) Fail(errno);
}

TAtomicFileWriter::~TAtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!tmpName_.empty()) ::unlink(tmpName_.c_str());
}

void TAtomicFileWriter::Fail(int err) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!tmpName_.empty()) ::unlink(tmpName_.c_str());
    tmpName_.clear();
    ThrowFileError(path_, err);
}

void TAtomicFileWriter::Write(std::string_view bytes) {
    if (fd_ < 0) ThrowFileError(path_, EBADF);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

void TAtomicFileWriter::Commit() {
    if (fd_ < 0) ThrowFileError(path_, EBADF);
    if (::fsync(fd_) != 0) Fail(errno);
    // Renamed while still open and locked, so no cleaner can take it between;
    // the descriptor is closed afterwards (the data are on the disk already).
    if (::rename(tmpName_.c_str(), path_.c_str()) != 0) Fail(errno);
    tmpName_.clear();
    ::close(fd_);
    fd_ = -1;
    // Make the rename itself durable.
    std::filesystem::path dir = path_.parent_path();
    if (dir.empty()) dir = ".";
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) ::fsync(dirFd.get());
}

void WriteFileAtomically(const std::filesystem::path& linkOrPath, std::string_view bytes, unsigned newFileMode) {
    TAtomicFileWriter writer(linkOrPath, newFileMode);
    writer.Write(bytes);
    writer.Commit();
}

void RequireFreeSpace(const std::filesystem::path& path, std::uint64_t bytes) {
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0) return;
    const std::uint64_t free = static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    if (bytes > free)
        throw EFileError(Format(texts::kNoDiskSpace, {path.string(), ByteSizeText(bytes), ByteSizeText(free)}));
}

}  // namespace corvel
