#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

std::string SystemErrorText(int err) {
    switch (err) {
        case ENOENT: return "Файл или папка не найдены";
        case EACCES:
        case EPERM: return "Отказано в доступе";
        case EROFS: return "Файловая система доступна только для чтения";
        case ENOSPC: return "Недостаточно места на диске";
        case EDQUOT: return "Превышена дисковая квота";
        case EFBIG: return "Превышен допустимый размер файла";
        case EISDIR: return "Указанный путь является папкой";
        case ENOTDIR: return "Часть пути не является папкой";
        case EIO: return "Ошибка ввода-вывода";
        case EMFILE:
        case ENFILE: return "Слишком много открытых файлов";
        case ENAMETOOLONG: return "Слишком длинное имя файла";
        case EWOULDBLOCK: return "Файл занят другой программой";
        default: return Format("Системная ошибка %d (%s)", {err, std::strerror(err)});
    }
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw EFileError(Format("%s: %s", {PathText(path), SystemErrorText(errno)}));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw EFileError(Format("%s: %s", {PathText(path), SystemErrorText(errno)}));
    if (S_ISDIR(st.st_mode)) throw EFileError(Format("%s: %s", {PathText(path), SystemErrorText(EISDIR)}));
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw EFileError(Format("%s: %s", {PathText(path), SystemErrorText(errno)}));
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    return data;
}

void WriteFileAtomically(const std::filesystem::path& linkOrPath, std::string_view bytes, unsigned newFileMode) {
    // A data file that is a symbolic link is rewritten where the link points,
    // so the link stays a link.
    std::filesystem::path path = linkOrPath;
    std::error_code linkError;
    if (std::filesystem::is_symlink(linkOrPath, linkError)) {
        auto target = std::filesystem::weakly_canonical(linkOrPath, linkError);
        if (!linkError) path = target;
    }
    std::filesystem::path dir = path.parent_path();
    if (dir.empty()) dir = ".";
    std::string pattern = (dir / ("." + path.filename().string() + ".~tmpXXXXXX")).string();

    auto fail = [&](int err, const std::string& tmpName) {
        if (!tmpName.empty()) ::unlink(tmpName.c_str());
        throw EFileError(Format("%s: %s", {PathText(path), SystemErrorText(err)}));
    };

    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) fail(errno, {});
    const std::string tmpName = pattern;

    // Keep the old file's permissions; a new file gets the requested ones.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = static_cast<mode_t>(newFileMode) & ~mask;
    }
    if (::fchmod(fd.get(), mode) != 0) fail(errno, tmpName);

    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, tmpName);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) fail(errno, tmpName);
    if (::close(fd.release()) != 0) fail(errno, tmpName);
    if (::rename(tmpName.c_str(), path.c_str()) != 0) fail(errno, tmpName);

    // Make the rename itself durable.
    FileDescriptor dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() >= 0) ::fsync(dirFd.get());
}

}  // namespace corvel
