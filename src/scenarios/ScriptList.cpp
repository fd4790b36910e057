#include "scenarios/ScriptList.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "scenarios/ScriptLine.h"

namespace corvel {

std::vector<std::string> ReadScriptFile(const std::filesystem::path& path) {
    std::string text;
    try {
        text = ReadFileBytes(path, kMaxScriptFileBytes);
    } catch (const EFileTooLarge&) {
        throw EFileError(Format(texts::kScriptFileTooLarge, {static_cast<std::int64_t>(kMaxScriptFileBytes)}));
    }
    // Lines end with CR LF; a bare LF (a file edited elsewhere) ends one too,
    // and a last line without an end still counts.
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.push_back(Cp1251ToUtf8(std::string_view(text).substr(start, stop - start)));
        start = end + 1;
    }
    return lines;
}

void WriteScriptFile(const std::filesystem::path& path, std::span<const std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += Utf8ToCp1251(line) + "\r\n";
    WriteFileAtomically(path, bytes);
}

const std::string& TScriptList::Line(std::size_t index) const {
    if (index >= lines_.size())
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {static_cast<std::int64_t>(index)}));
    return lines_[index];
}

void TScriptList::Replace(std::size_t index, std::string line) {
    Line(index);
    lines_[index] = std::move(line);
}

void TScriptList::Delete(std::vector<std::size_t> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (std::size_t i : indexes) Line(i);
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
}

void TScriptList::SwapWithNext(std::size_t index) {
    Line(index + 1);
    std::swap(lines_[index], lines_[index + 1]);
}

void TScriptList::Load(const std::filesystem::path& path) { lines_ = ReadScriptFile(path); }

void TScriptList::Append(const std::filesystem::path& path) {
    std::vector<std::string> read = ReadScriptFile(path);
    if (lines_.empty()) {
        lines_ = std::move(read);
        return;
    }
    if (read.empty()) return;
    if (!IsScriptSeparator(lines_.back())) lines_.emplace_back();
    for (std::string& line : read) lines_.push_back(std::move(line));
}

}  // namespace corvel
