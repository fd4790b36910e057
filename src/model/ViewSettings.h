#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/IniFile.h"

// The view settings file (corvel-lotto.frm): one section per form, named after
// the form ("TFormMain" for the main window), with its panel sizes, view
// switches, list columns and placement. The store reads the file once, answers
// and takes values in memory, and writes the whole file atomically when told:
// at once for a toggle, or at close for the rest. Keys it was not asked about
// stay in the file as they were.
namespace corvel {

class ViewSettings {
  public:
    // An empty store for the file, as when the file does not exist yet.
    explicit ViewSettings(std::filesystem::path file);
    // Reads the file; a missing file gives an empty store. Throws EFileError
    // when the file exists but cannot be read.
    static ViewSettings Load(const std::filesystem::path& file);

    const std::filesystem::path& File() const { return file_; }

    // A missing key or a value of the wrong kind gives the fallback.
    std::string ReadString(std::string_view form, std::string_view key, std::string_view fallback) const;
    int ReadInt(std::string_view form, std::string_view key, int fallback) const;
    // "0" is false, any other whole number true.
    bool ReadBool(std::string_view form, std::string_view key, bool fallback) const;
    // Comma-separated whole numbers ("%d,%d,%d,%d" of a window rectangle, the
    // "%d,%d" of a sort order); nothing unless exactly `count` of them are read.
    std::optional<std::vector<int>> ReadInts(std::string_view form, std::string_view key, std::size_t count) const;

    // Text that cannot be stored as it is (see IsStorableSettingText) throws
    // EInvalidArgument.
    void WriteString(std::string_view form, std::string_view key, std::string_view value);
    void WriteInt(std::string_view form, std::string_view key, int value);
    void WriteBool(std::string_view form, std::string_view key, bool value);
    void WriteInts(std::string_view form, std::string_view key, const std::vector<int>& values);

    bool Modified() const { return modified_; }
    // Writes the file now (temporary file, then rename). Throws EFileError.
    void Save();
    // Writes the file when something was changed since the last save or load.
    void SaveIfModified();

  private:
    std::filesystem::path file_;
    IniFile ini_;
    bool modified_ = false;
};

}  // namespace corvel
