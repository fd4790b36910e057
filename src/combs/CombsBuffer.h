#pragma once

#include <filesystem>
#include <optional>

#include "model/CombsArray.h"
#include "model/Progress.h"

// The combination buffer: a scenario run keeps its start list (every
// generated combination minus those of the last N draws) in a file of 6-byte
// records without header, so the next line with the same start list reads it
// back instead of computing it again. The key (draw offset, N) lives only in
// memory: a buffer is trusted only by the object that wrote it.
namespace corvel {

// corvel-lotto.~buff in the data folder.
std::filesystem::path CombsBufferPath(const std::filesystem::path& dataFolder);

struct TCombsBufferKey {
    int Offset = 0;
    int Draws = 0;
    friend bool operator==(const TCombsBufferKey&, const TCombsBufferKey&) = default;
};

class TCombsBuffer {
  public:
    explicit TCombsBuffer(std::filesystem::path file);

    const std::filesystem::path& File() const { return file_; }
    const std::optional<TCombsBufferKey>& Key() const { return key_; }

    // Writes the list for the key unless the buffer already holds that key.
    // The key is remembered only once the file is complete; a failed write
    // removes the file and throws ECorvelError.
    void Save(const TCombsArray& list, TCombsBufferKey key, TProgress& progress);

    // Whether the buffer holds the key and its file exists (without its file
    // the key is forgotten, so the next save writes the file again).
    bool Holds(TCombsBufferKey key);

    // Replaces the list with the buffer when it holds the key; false
    // otherwise. A file that cannot be read whole is removed and forgotten,
    // the list stays as it was, and ECorvelError is thrown.
    bool Load(TCombsArray& list, TCombsBufferKey key, TProgress& progress);

    // Forgets the key and deletes the file (a missing file is no error).
    void Reset();

  private:
    std::filesystem::path file_;
    std::optional<TCombsBufferKey> key_;
};

}  // namespace corvel
