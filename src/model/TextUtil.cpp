#include "model/TextUtil.h"

#include <charconv>
#include <limits>

namespace corvel {

std::string_view Trim(std::string_view s) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<std::int64_t> ToInt64(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-') return std::nullopt;  // "+-1" is no number
    }
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

int ToIntDef(std::string_view s, int fallback) {
    auto v = ToInt64(s);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return fallback;
    return static_cast<int>(*v);
}

std::vector<std::string_view> SplitAny(std::string_view s, std::string_view separators, bool skipEmpty) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || separators.find(s[i]) != std::string_view::npos) {
            std::string_view piece = s.substr(start, i - start);
            if (!skipEmpty || !piece.empty()) parts.push_back(piece);
            start = i + 1;
        }
    }
    return parts;
}

std::string ToUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

std::string FoldCaseRussian(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c - 'A' + 'a');
        } else if (c == 0xD0 && i + 1 < out.size()) {
            auto& next = reinterpret_cast<unsigned char&>(out[i + 1]);
            if (next >= 0x90 && next <= 0x9F) {  // А..П -> а..п
                next = static_cast<unsigned char>(next + 0x20);
            } else if (next >= 0xA0 && next <= 0xAF) {  // Р..Я -> р..я
                c = 0xD1;
                next = static_cast<unsigned char>(next - 0x20);
            } else if (next == 0x81) {  // Ё -> ё
                c = 0xD1;
                next = 0x91;
            }
            ++i;
        }
    }
    return out;
}

std::vector<std::string_view> Utf8Characters(std::string_view s) {
    std::vector<std::string_view> chars;
    std::size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
        if (i + len > s.size()) len = s.size() - i;
        chars.push_back(s.substr(i, len));
        i += len;
    }
    return chars;
}

}  // namespace corvel
