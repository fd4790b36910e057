#include "model/IniFile.h"

#include <charconv>
#include <cstdlib>

#include "model/Cp1251.h"
#include "model/FileIo.h"
#include "model/TextUtil.h"

namespace corvel {

IniFile IniFile::Load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    return Parse(Cp1251ToUtf8(ReadFileBytes(path)));
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    for (std::string_view raw : SplitAny(text, "\n", false)) {
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string_view line = Trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &ini.SectionFor(Trim(line.substr(1, line.size() - 2)));
            continue;
        }
        std::size_t eq = line.find('=');
        bool isComment = !line.empty() && (line.front() == ';' || line.front() == '#');
        if (current == nullptr) {
            if (!raw.empty()) ini.preamble_.emplace_back(raw);
        } else if (eq == std::string_view::npos || isComment || Trim(line.substr(0, eq)).empty()) {
            if (!line.empty()) current->Entries.push_back({{}, std::string(raw)});
        } else {
            std::string key(Trim(line.substr(0, eq)));
            std::string value(Trim(line.substr(eq + 1)));
            bool repeated = false;
            for (const auto& e : current->Entries)
                if (!e.Key.empty() && EqualsIgnoreCaseAscii(e.Key, key)) {
                    repeated = true;  // the first one counts; a repeat is passed over
                    break;
                }
            if (!repeated) current->Entries.push_back({key, value});
        }
    }
    return ini;
}

std::string IniFile::ToText() const {
    std::string out;
    for (const auto& line : preamble_) out += line + "\r\n";
    for (const auto& s : sections_) {
        out += "[" + s.Name + "]\r\n";
        for (const auto& e : s.Entries) out += e.Key.empty() ? e.Value + "\r\n" : e.Key + "=" + e.Value + "\r\n";
        out += "\r\n";
    }
    return out;
}

void IniFile::Save(const std::filesystem::path& path, unsigned newFileMode) const {
    WriteFileAtomically(path, Utf8ToCp1251(ToText()), newFileMode);
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    for (const auto& s : sections_)
        if (EqualsIgnoreCaseAscii(s.Name, name)) return &s;
    return nullptr;
}

IniFile::Section& IniFile::SectionFor(std::string_view name) {
    for (auto& s : sections_)
        if (EqualsIgnoreCaseAscii(s.Name, name)) return s;
    sections_.push_back({std::string(name), {}});
    return sections_.back();
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

bool IniFile::HasKey(std::string_view section, std::string_view key) const { return Value(section, key).has_value(); }

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const auto& e : s->Entries)
            if (!e.Key.empty()) keys.push_back(e.Key);
    return keys;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    if (const Section* s = FindSection(section))
        for (const auto& e : s->Entries)
            if (!e.Key.empty() && EqualsIgnoreCaseAscii(e.Key, key)) return e.Value;
    return std::nullopt;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto v = Value(section, key);
    return v ? *v : std::string(fallback);
}

long long IniFile::ReadInteger(std::string_view section, std::string_view key, long long fallback) const {
    auto v = Value(section, key);
    if (!v) return fallback;
    auto n = ToInt64(*v);
    return n ? *n : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    auto v = Value(section, key);
    if (!v) return fallback;
    auto n = ToInt64(*v);
    return n ? *n != 0 : fallback;
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double fallback) const {
    auto v = Value(section, key);
    if (!v) return fallback;
    std::string t(Trim(*v));
    for (char& c : t)
        if (c == ',') c = '.';
    if (t.empty()) return fallback;
    double d = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
    return ec == std::errc() && end == t.data() + t.size() ? d : fallback;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionFor(section);
    for (auto& e : s.Entries)
        if (!e.Key.empty() && EqualsIgnoreCaseAscii(e.Key, key)) {
            e.Value = std::string(value);
            return;
        }
    s.Entries.push_back({std::string(key), std::string(value)});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long long value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return EqualsIgnoreCaseAscii(s.Name, section); });
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    for (auto& s : sections_)
        if (EqualsIgnoreCaseAscii(s.Name, section))
            std::erase_if(s.Entries,
                          [&](const Entry& e) { return !e.Key.empty() && EqualsIgnoreCaseAscii(e.Key, key); });
}

}  // namespace corvel
