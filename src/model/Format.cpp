#include "model/Format.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "i18n/Texts.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

std::string FormatInteger(std::int64_t v, int precision) {
    unsigned long long magnitude = static_cast<unsigned long long>(v);
    if (v < 0) magnitude = 0ULL - magnitude;
    std::string digits = std::to_string(magnitude);
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return v < 0 ? "-" + digits : digits;
}

std::string FormatFixed(double v, int precision) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 2 : precision, v);
    return buf;
}

std::string GroupThousands(double v, int precision) {
    std::string fixed = FormatFixed(v, precision < 0 ? 2 : precision);
    std::size_t start = fixed[0] == '-' ? 1 : 0;
    std::size_t point = fixed.find('.');
    if (point == std::string::npos) point = fixed.size();
    for (std::size_t i = point; i > start + 3; i -= 3) fixed.insert(i - 3, " ");
    return fixed;
}

std::string Render(const FormatArg& arg, char type, int precision) {
    const auto& value = arg.value();
    switch (type) {
        case 'd':
        case 'u':
            if (auto* i = std::get_if<std::int64_t>(&value)) return FormatInteger(*i, precision);
            if (auto* d = std::get_if<double>(&value)) return FormatInteger(static_cast<std::int64_t>(*d), precision);
            return std::string(std::get<std::string_view>(value));
        case 'x': {
            std::int64_t i = 0;
            if (auto* p = std::get_if<std::int64_t>(&value)) i = *p;
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.*llX", precision < 0 ? 1 : precision, static_cast<unsigned long long>(i));
            return buf;
        }
        case 'f':
        case 'n':
        case 'e':
        case 'g': {
            double d = 0;
            if (auto* p = std::get_if<double>(&value))
                d = *p;
            else if (auto* i = std::get_if<std::int64_t>(&value))
                d = static_cast<double>(*i);
            else
                return std::string(std::get<std::string_view>(value));
            if (type == 'n') return GroupThousands(d, precision);
            if (type == 'f') return FormatFixed(d, precision);
            char buf[64];
            std::snprintf(buf, sizeof buf, type == 'e' ? "%.*e" : "%.*g", precision < 0 ? 6 : precision, d);
            return buf;
        }
        default: {  // 's'
            if (auto* s = std::get_if<std::string_view>(&value)) {
                // The precision counts characters, not the bytes of their UTF-8 form.
                if (precision >= 0) {
                    auto chars = Utf8Characters(*s);
                    auto keep = static_cast<std::size_t>(precision);
                    if (keep < chars.size())
                        return std::string(s->substr(0, static_cast<std::size_t>(chars[keep].data() - s->data())));
                }
                return std::string(*s);
            }
            if (auto* i = std::get_if<std::int64_t>(&value)) return std::to_string(*i);
            return FormatFixed(std::get<double>(value), 2);
        }
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
    std::vector<const FormatArg*> list;
    list.reserve(args.size());
    for (const auto& a : args) list.push_back(&a);

    std::string out;
    out.reserve(pattern.size() + 16);
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (c != '%' || i + 1 >= pattern.size()) {
            out += c;
            continue;
        }
        if (pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        // Optional "index:" prefix.
        std::size_t k = j;
        while (k < pattern.size() && IsDigit(pattern[k])) ++k;
        if (k < pattern.size() && k > j && pattern[k] == ':') {
            // An index past any argument list (however long its digits) just gives "?".
            next = 0;
            for (std::size_t d = j; d < k; ++d)
                next = std::min(next * 10 + static_cast<std::size_t>(pattern[d] - '0'), args.size());
            j = k + 1;
        }
        bool left = false;
        if (j < pattern.size() && pattern[j] == '-') {
            left = true;
            ++j;
        }
        int width = 0;
        while (j < pattern.size() && IsDigit(pattern[j])) width = width * 10 + (pattern[j++] - '0');
        int precision = -1;
        if (j < pattern.size() && pattern[j] == '.') {
            ++j;
            precision = 0;
            while (j < pattern.size() && IsDigit(pattern[j])) precision = precision * 10 + (pattern[j++] - '0');
        }
        if (j >= pattern.size()) {  // a lone '%' at the end stays as it is
            out.append(pattern.substr(i));
            break;
        }
        char type = static_cast<char>(pattern[j] | 0x20);  // Format types are case-insensitive
        std::string text = next < list.size() ? Render(*list[next], type, precision) : "?";
        ++next;
        // The width counts characters as well.
        const std::size_t length = Utf8Characters(text).size();
        if (length < static_cast<std::size_t>(width)) {
            const std::size_t pad = static_cast<std::size_t>(width) - length;
            if (left)
                text.append(pad, ' ');
            else
                text.insert(0, pad, ' ');
        }
        out += text;
        i = j;
    }
    return out;
}

std::string ByteSizeText(std::uint64_t bytes) {
    const double b = static_cast<double>(bytes);
    if (bytes < 1000) return Format(texts::kSizeBytes, {static_cast<std::int64_t>(bytes)});
    if (bytes < 1'000'000) return Format(texts::kSizeKilobytes, {b / 1e3});
    if (bytes < 1'000'000'000) return Format(texts::kSizeMegabytes, {b / 1e6});
    return Format(texts::kSizeGigabytes, {b / 1e9});
}

}  // namespace corvel
