#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

// User-visible texts are looked up by identifier at run time: Russian is built
// in, and a language module may replace any text by its identifier.
namespace corvel::i18n {

// One user-visible text: the identifier a language module names it by, and
// the built-in Russian text. Converting it to a string view looks the text up
// in the language in use, so every place that shows a text gets the
// replacement without knowing about languages.
struct TextId {
    const char* Key;
    const char* Russian;

    operator std::string_view() const;  // NOLINT(google-explicit-constructor): looked up where shown
    std::string Str() const { return std::string(std::string_view(*this)); }
    // The same text for interfaces that take a C string: the table keeps every
    // text null-terminated (a literal or a std::string).
    const char* CStr() const { return std::string_view(*this).data(); }
    friend bool operator==(std::string_view text, const TextId& id) { return text == std::string_view(id); }
};

// The texts of the language in use for the whole process (a language is
// chosen once, at start-up; a change takes effect at the next start).
class StringTable {
  public:
    // Replaces the text with the identifier; an empty text restores Russian.
    void Set(std::string_view key, std::string text);
    void Clear() { replaced_.clear(); }
    std::string_view Lookup(const TextId& id) const;
    std::size_t ReplacedCount() const { return replaced_.size(); }

  private:
    std::map<std::string, std::string, std::less<>> replaced_;
};

StringTable& ActiveStringTable();

// Every text of the program, in the order of the table (for language module
// templates and the checks of the table).
std::span<const TextId> AllTexts();

}  // namespace corvel::i18n
