#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

// The lines of a scenario in memory and in files: code page 1251 text, a line
// per scenario line, CR LF. Reading a file is all or nothing: a file that
// cannot be read whole throws and leaves the list as it was, so it never
// replaces a scenario (or, through the automatic save, its file).
namespace corvel {

// A scenario file is text of a few kilobytes; anything far larger is not one.
inline constexpr std::uint64_t kMaxScriptFileBytes = 64ull << 20;

// The lines of a scenario file (UTF-8); EFileError (and kin) when it cannot be read.
std::vector<std::string> ReadScriptFile(const std::filesystem::path& path);
// Writes the lines through a temporary file renamed over the old one.
void WriteScriptFile(const std::filesystem::path& path, std::span<const std::string> lines);

class TScriptList {
  public:
    const std::vector<std::string>& Lines() const { return lines_; }
    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    // Throws EInvalidArgument (record index not found) outside the list.
    const std::string& Line(std::size_t index) const;

    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Replace(std::size_t index, std::string line);
    // Removes the lines of the indexes (any order, repeats allowed).
    void Delete(std::vector<std::size_t> indexes);
    void Clear() { lines_.clear(); }
    // Swaps lines index and index + 1.
    void SwapWithNext(std::size_t index);

    // The file's lines replace the list.
    void Load(const std::filesystem::path& path);
    // The file's lines go after the list's: into an empty list as they are,
    // else after a separator unless the list ends with one (or the file is empty).
    void Append(const std::filesystem::path& path);
    void Save(const std::filesystem::path& path) const { WriteScriptFile(path, lines_); }

  private:
    std::vector<std::string> lines_;
};

}  // namespace corvel
