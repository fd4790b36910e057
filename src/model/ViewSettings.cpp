#include "model/ViewSettings.h"

#include <limits>
#include <utility>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "model/TextUtil.h"

namespace corvel {

ViewSettings::ViewSettings(std::filesystem::path file) : file_(std::move(file)) {}

ViewSettings ViewSettings::Load(const std::filesystem::path& file) {
    ViewSettings store(file);
    store.ini_ = IniFile::Load(file);
    return store;
}

std::string ViewSettings::ReadString(std::string_view form, std::string_view key, std::string_view fallback) const {
    return ini_.ReadString(form, key, fallback);
}

int ViewSettings::ReadInt(std::string_view form, std::string_view key, int fallback) const {
    const auto v = ini_.Value(form, key);
    return v ? ToIntDef(*v, fallback) : fallback;
}

bool ViewSettings::ReadBool(std::string_view form, std::string_view key, bool fallback) const {
    return ini_.ReadBool(form, key, fallback);
}

std::optional<std::vector<int>> ViewSettings::ReadInts(std::string_view form, std::string_view key,
                                                       std::size_t count) const {
    const auto v = ini_.Value(form, key);
    if (!v) return std::nullopt;
    const auto parts = SplitAny(*v, ",", false);
    if (parts.size() != count) return std::nullopt;
    std::vector<int> values;
    for (std::string_view part : parts) {
        const auto n = ToInt64(part);
        if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max()) return std::nullopt;
        values.push_back(static_cast<int>(*n));
    }
    return values;
}

void ViewSettings::WriteString(std::string_view form, std::string_view key, std::string_view value) {
    // A line break would end the line early and leave the rest as a line of its own.
    if (!IsStorableSettingText(value)) throw EInvalidArgument(Format(texts::kUnstorableValue, {key}));
    if (ini_.Value(form, key) == value) return;
    ini_.WriteString(form, key, value);
    modified_ = true;
}

void ViewSettings::WriteInt(std::string_view form, std::string_view key, int value) {
    WriteString(form, key, std::to_string(value));
}

void ViewSettings::WriteBool(std::string_view form, std::string_view key, bool value) {
    WriteString(form, key, value ? "1" : "0");
}

void ViewSettings::WriteInts(std::string_view form, std::string_view key, const std::vector<int>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
    WriteString(form, key, text);
}

void ViewSettings::Save() {
    ini_.Save(file_);
    modified_ = false;
}

void ViewSettings::SaveIfModified() {
    if (modified_) Save();
}

}  // namespace corvel
