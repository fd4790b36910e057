#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

#include "model/Errors.h"

// Whole-file reading and crash-safe rewriting. A rewrite goes to a temporary
// file in the same folder, is flushed to the disk and then renamed over the old
// file, so a crash or a full disk leaves either the old file or the new one,
// never a half-written one.
namespace corvel {

// Reading found nothing at the path (for most data files the normal first
// start).
class EFileNotFound : public EFileError {
  public:
    using EFileError::EFileError;
};

// The file is larger than the reader accepts; nothing of it was read.
class EFileTooLarge : public EFileError {
  public:
    EFileTooLarge(const std::string& message, std::uint64_t size) : EFileError(message), size_(size) {}
    std::uint64_t Size() const { return size_; }  // bytes, at least the limit plus one

  private:
    std::uint64_t size_;
};

inline constexpr std::uint64_t kNoSizeLimit = std::numeric_limits<std::uint64_t>::max();

// The user-facing (Russian) text of an errno value.
std::string SystemErrorText(int err);
// Throws the error of a system call on the path: "path: reason" (EFileNotFound
// for a missing file, else EFileError).
[[noreturn]] void ThrowFileError(const std::filesystem::path& path, int err);

// Reads the whole file. Only a regular file (or a link to one) is read: a
// folder, a FIFO, a device such as /dev/zero or a socket is refused before a
// byte is read, and opening never waits for a FIFO's writer. A file of more
// than maxBytes bytes throws EFileTooLarge without being read; a missing one
// EFileNotFound; any other failure EFileError with the reason.
std::string ReadFileBytes(const std::filesystem::path& path, std::uint64_t maxBytes = kNoSizeLimit);

// Replaces the file's contents with bytes as described above. On any failure the
// old file is untouched, the temporary file is removed and EFileError is thrown.
// New files get the mode bits given (before the umask); an existing file keeps
// its own. A path that exists but is not a regular file (a folder, a FIFO, a
// device, a symbolic-link loop) is refused and left as it is. Temporary files
// that earlier rewrites of the same file left behind when they were killed are
// removed first (RemoveStaleTemporaryFiles).
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0666);

// The same rewrite written piece by piece, for files too large to build in
// memory first: the bytes go to the temporary file, and Commit flushes it and
// renames it over the old file. Without Commit (an error, an exception) the
// temporary file is removed and the old file stays as it was.
class TAtomicFileWriter {
  public:
    explicit TAtomicFileWriter(const std::filesystem::path& path, unsigned newFileMode = 0666);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();
    // The file the rewrite replaces (where a symbolic link points).
    const std::filesystem::path& Target() const { return path_; }

  private:
    [[noreturn]] void Fail(int err);

    std::filesystem::path path_;
    std::string tmpName_;
    int fd_ = -1;
};

// Removes the temporary files of rewrites of this file that never finished: the
// regular files named ".<name>.~tmp" plus six letters or digits in the file's
// folder whose writer is gone. A rewrite in progress holds a lock on its
// temporary file, so a running writer's file is kept; nothing of another name,
// and nothing that is not a regular file, is touched.
void RemoveStaleTemporaryFiles(const std::filesystem::path& path);

// Refuses (EFileError, with both sizes) a write of `bytes` more than the disk
// that holds `path` has free for this user; when the free space cannot be
// asked, the write is left to fail on its own.
void RequireFreeSpace(const std::filesystem::path& path, std::uint64_t bytes);

}  // namespace corvel
