#include "i18n/StringTable.h"

#include "i18n/Texts.h"

namespace corvel::i18n {

TextId::operator std::string_view() const { return ActiveStringTable().Lookup(*this); }

void StringTable::Set(std::string_view key, std::string text) {
    if (text.empty()) {
        if (auto it = replaced_.find(key); it != replaced_.end()) replaced_.erase(it);
        return;
    }
    replaced_.insert_or_assign(std::string(key), std::move(text));
}

std::string_view StringTable::Lookup(const TextId& id) const {
    if (!replaced_.empty())
        if (auto it = replaced_.find(std::string_view(id.Key)); it != replaced_.end()) return it->second;
    return id.Russian;
}

std::span<const TextId> AllTexts() {
    static constexpr TextId kAll[] = {
#define CORVEL_TEXT(name, ...) texts::k##name,
#include "i18n/Texts.inc"
#include "i18n/TextsCli.inc"
#include "i18n/TextsGui.inc"
#undef CORVEL_TEXT
    };
    return kAll;
}

StringTable& ActiveStringTable() {
    static StringTable table;
    return table;
}

}  // namespace corvel::i18n
