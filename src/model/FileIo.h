#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Whole-file reading and crash-safe rewriting. A rewrite goes to a temporary
// file in the same folder, is flushed to the disk and then renamed over the old
// file, so a crash or a full disk leaves either the old file or the new one,
// never a half-written one.
namespace corvel {

// The user-facing (Russian) text of an errno value.
std::string SystemErrorText(int err);

// Reads the whole file. Throws EFileError with the reason when it cannot.
std::string ReadFileBytes(const std::filesystem::path& path);

// Replaces the file's contents with bytes as described above. On any failure the
// old file is untouched, the temporary file is removed and EFileError is thrown.
// New files get the mode bits given (before the umask); an existing file keeps
// its own.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         unsigned newFileMode = 0666);

}  // namespace corvel
