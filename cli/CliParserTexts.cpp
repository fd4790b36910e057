#include "CliParserTexts.h"

#include <charconv>
#include <climits>
#include <regex>

namespace corvel::cli {
namespace {

// CLI11 builds its messages from fixed English phrases around the names and
// values; each phrase becomes its Russian sentence with the same parts.
struct Translation {
    const char* Pattern;
    const char* Text;  // $1, $2: the parts the pattern captures
};

constexpr Translation kTranslations[] = {
    {"A subcommand is required", "Не указана команда"},
    {"Requires at least (\\d+) subcommands.*", "Нужно указать не менее $1 команд"},
    {"Requires at most (\\d+) subcommands.*", "Можно указать не более $1 команд"},
    {"(.+) is required", "Не указан обязательный параметр $1"},
    {"The following arguments? (?:was|were) not expected: (.*)", "Лишние аргументы: $1"},
    {"The value (.+) is not an allowed value for (.+)", "Недопустимое значение $1 для $2"},
    {"Could not convert: (.+) = (.*)", "Некорректное значение $1: $2"},
    {"(.+): too many inputs for a flag", "Флаг $1 не принимает значения"},
    {"(.+): Should be true/false or a number", "Флаг $1: нужно true/false или число"},
    {"Expected exactly (\\d+) arguments? to (.+), got (\\d+)", "Для $2 нужно значений: $1, указано: $3"},
    {"Expected at least (\\d+) arguments? to (.+), got (\\d+)", "Для $2 нужно не менее $1 значений, указано: $3"},
    {"(.+): At least (\\d+) required but received (\\d+)", "Для $1 нужно не менее $2 значений, указано: $3"},
    {"(.+): At Most (\\d+) required but received (\\d+)", "Для $1 можно не более $2 значений, указано: $3"},
    {"(.+): (\\d+) required \\S+ missing", "Не указано значение параметра $1"},
    {"(.+) was given a disallowed flag override", "Флагу $1 нельзя задать значение"},
    {"(.+) requires (.+)", "Параметр $1 требует $2"},
    {"(.+) excludes (.+)", "Параметр $1 нельзя указывать вместе с $2"},
    {"(.+) not found", "Неизвестный параметр $1"},
    {"(.+): Too many positional arguments.*", "Слишком много позиционных аргументов: $1"},
    {"(\\S+): Value (.+) not in range .*", "Значение $2 параметра $1 вне допустимого диапазона"},
    {"(\\S+): .*", "Некорректное значение параметра $1"},
};

std::string Substitute(const std::string& text, const std::smatch& m) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '$' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const std::size_t group = static_cast<std::size_t>(text[i + 1] - '0');
            if (group < m.size()) out += m[group].str();
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string PlainNumber(long long v) { return std::to_string(v); }

std::size_t DisplayWidth(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;  // count the first byte of each UTF-8 character
    return n;
}

// CLI11 pads the option column by bytes, which shifts every line with a
// Russian type name; this pads by characters.
class RussianFormatter : public CLI::Formatter {
public:
    std::string make_option(const CLI::Option* opt, bool positional) const override {
        const std::string name = "  " + make_option_name(opt, positional) + make_option_opts(opt);
        const std::string desc = make_option_desc(opt);
        const std::size_t column = get_column_width();
        std::string out = name;
        if (!desc.empty()) {
            std::size_t width = DisplayWidth(name);
            if (width >= column) {
                out += '\n';
                width = 0;
            }
            out.append(column - width, ' ');
            for (char c : desc) {
                out += c;
                if (c == '\n') out.append(column, ' ');
            }
        }
        return out + '\n';
    }
};

}  // namespace

void UseRussianHelp(CLI::App& parser) {
    auto formatter = std::make_shared<RussianFormatter>();
    for (auto [key, text] : {std::pair{"Usage", "Использование"}, {"OPTIONS", "ПАРАМЕТРЫ"},
                             {"SUBCOMMAND", "КОМАНДА"}, {"SUBCOMMANDS", "КОМАНДЫ"},
                             {"Positionals", "Аргументы"}, {"REQUIRED", "ОБЯЗАТЕЛЬНО"},
                             {"Env", "Переменная"}, {"Needs", "Требует"}, {"Excludes", "Исключает"},
                             {"TEXT", "ТЕКСТ"}, {"INT", "ЧИСЛО"}, {"UINT", "ЧИСЛО"}, {"FLOAT", "ЧИСЛО"}})
        formatter->label(key, text);
    auto relabel = [&formatter](CLI::App& app) {
        app.formatter(formatter);
        for (CLI::Option* o : app.get_options()) {
            if (o->get_group() == "Options") o->group("Параметры");
            // "INT:ЧИСЛО от 1 до 10" (type and range check) reads as the range alone.
            const std::string type = o->get_type_name();
            const std::size_t colon = type.find(':');
            if (colon != std::string::npos) formatter->label(type, type.substr(colon + 1));
        }
    };
    relabel(parser);
    for (CLI::App* sub : parser.get_subcommands([](CLI::App*) { return true; })) {
        sub->group("Команды");
        relabel(*sub);
    }
}

std::string ParseErrorText(const CLI::ParseError& error) {
    const std::string what = error.what();
    // Our own validators speak Russian already: their messages pass as they are.
    for (unsigned char c : what)
        if (c >= 0x80) return what;
    for (const Translation& t : kTranslations) {
        std::smatch m;
        if (std::regex_match(what, m, std::regex(t.Pattern))) return Substitute(t.Text, m);
    }
    return "Некорректная командная строка";
}

CLI::Validator IntRange(long long min, long long max) {
    const std::string description = "ЧИСЛО от " + PlainNumber(min) + " до " + PlainNumber(max);
    return CLI::Validator(
        [min, max](std::string& input) -> std::string {
            long long v = 0;
            const char* begin = input.data();
            const char* end = begin + input.size();
            if (begin != end && *begin == '+') ++begin;
            auto [stop, ec] = std::from_chars(begin, end, v);
            if (ec != std::errc() || stop != end || begin == end)
                return "значение \"" + input + "\" не является целым числом";
            if (v < min || v > max)
                return "значение " + input + " вне допустимого диапазона от " + PlainNumber(min) + " до " +
                       PlainNumber(max);
            return {};
        },
        description);
}

}  // namespace corvel::cli
