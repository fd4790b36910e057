#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvel {

// An ini file of the system (code page 1251, CR LF) held in memory. Section and
// key names compare case-insensitively, as the system's ini files always have.
// Sections, keys and lines the program does not touch are kept as they were,
// in their order, so rewriting a file never drops what another version wrote.
// Of a key written more than once in a section (also in a repeated section)
// the first counts; the repeats are read over and not written back.
class IniFile {
  public:
    IniFile() = default;

    // Reads the file; a missing file gives an empty store. Throws EFileError
    // when the file exists but cannot be read.
    static IniFile Load(const std::filesystem::path& path);
    // Parses text that is already UTF-8.
    static IniFile Parse(std::string_view utf8);

    // Writes the whole store through a temporary file and a rename.
    void Save(const std::filesystem::path& path, unsigned newFileMode = 0666) const;
    std::string ToText() const;  // UTF-8, CR LF

    bool HasSection(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;
    std::vector<std::string> Keys(std::string_view section) const;

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A value that is not a whole number gives the fallback.
    long long ReadInteger(std::string_view section, std::string_view key, long long fallback) const;
    // "0" is False, any other number True; anything else gives the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    double ReadFloat(std::string_view section, std::string_view key, double fallback) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long long value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

  private:
    struct Entry {
        std::string Key;    // empty for a line that is not key=value (kept verbatim)
        std::string Value;  // or the verbatim line
    };
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
    };

    const Section* FindSection(std::string_view name) const;
    Section& SectionFor(std::string_view name);

    std::vector<std::string> preamble_;  // lines before the first section
    std::vector<Section> sections_;
};

}  // namespace corvel
