#include "CliParserTexts.h"

#include <functional>

#include <charconv>
#include <climits>
#include <regex>

#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel::cli {
namespace {

// CLI11 builds its messages from fixed English phrases around the names and
// values; each phrase becomes its Russian sentence with the same parts.
struct Translation {
    const char* Pattern;
    i18n::TextId Text;  // $1, $2: the parts the pattern captures
};

constexpr Translation kTranslations[] = {
    {"A subcommand is required", texts::kCliParseNoCommand},
    {"Requires at least (\\d+) subcommands.*", texts::kCliParseTooFewCommands},
    {"Requires at most (\\d+) subcommands.*", texts::kCliParseTooManyCommands},
    {"(.+) is required", texts::kCliParseRequired},
    {"The following arguments? (?:was|were) not expected: (.*)", texts::kCliParseExtraArguments},
    {"The value (.+) is not an allowed value for (.+)", texts::kCliParseNotAllowedValue},
    {"Could not convert: (.+) = (.*)", texts::kCliParseNotConverted},
    {"(.+): too many inputs for a flag", texts::kCliParseFlagWithValue},
    {"(.+): Should be true/false or a number", texts::kCliParseBadFlagValue},
    {"Expected exactly (\\d+) arguments? to (.+), got (\\d+)", texts::kCliParseExactCount},
    {"Expected at least (\\d+) arguments? to (.+), got (\\d+)", texts::kCliParseTooFewValuesFor},
    {"(.+): At least (\\d+) required but received (\\d+)", texts::kCliParseTooFewValues},
    {"(.+): At Most (\\d+) required but received (\\d+)", texts::kCliParseTooManyValues},
    {"(.+): (\\d+) required \\S+ missing", texts::kCliParseValueMissing},
    {"(.+) was given a disallowed flag override", texts::kCliParseFlagOverride},
    {"(.+) requires (.+)", texts::kCliParseRequires},
    {"(.+) excludes (.+)", texts::kCliParseExcludes},
    {"(.+) not found", texts::kCliParseUnknownOption},
    {"(.+): Too many positional arguments.*", texts::kCliParseTooManyPositionals},
    {"(\\S+): Value (.+) not in range .*", texts::kCliParseOutOfRange},
    {"(\\S+): .*", texts::kCliParseBadValue},
};

std::string Substitute(std::string_view text, const std::smatch& m) {
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
    for (auto [key, text] : {std::pair{"Usage", texts::kCliHelpUsage},
                             {"OPTIONS", texts::kCliHelpOptions},
                             {"SUBCOMMAND", texts::kCliHelpSubcommand},
                             {"SUBCOMMANDS", texts::kCliHelpSubcommands},
                             {"Positionals", texts::kCliHelpPositionals},
                             {"REQUIRED", texts::kCliHelpRequired},
                             {"Env", texts::kCliHelpEnv},
                             {"Needs", texts::kCliHelpNeeds},
                             {"Excludes", texts::kCliHelpExcludes},
                             {"TEXT", texts::kCliHelpText},
                             {"INT", texts::kCliHelpNumber},
                             {"UINT", texts::kCliHelpNumber},
                             {"FLOAT", texts::kCliHelpNumber}})
        formatter->label(key, text.Str());
    auto relabel = [&formatter](CLI::App& app) {
        app.formatter(formatter);
        for (CLI::Option* o : app.get_options()) {
            if (o->get_group() == "Options") o->group(texts::kCliHelpOptionsGroup.Str());
            // A type with a range check ("INT:" and texts::kCliHelpNumberRange) reads as the range alone.
            const std::string type = o->get_type_name();
            const std::size_t colon = type.find(':');
            if (colon != std::string::npos) formatter->label(type, type.substr(colon + 1));
        }
    };
    // Every level: the commands and their own subcommands (stakes add, script run, ...).
    std::function<void(CLI::App&)> walk = [&](CLI::App& app) {
        relabel(app);
        for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
            sub->group(texts::kCliHelpCommandsGroup.Str());
            walk(*sub);
        }
    };
    walk(parser);
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
    return texts::kCliParseBadCommandLine.Str();
}

CLI::Validator IntRange(long long min, long long max) {
    const std::string description = Format(texts::kCliHelpNumberRange, {min, max});
    return CLI::Validator(
        [min, max](std::string& input) -> std::string {
            long long v = 0;
            const char* begin = input.data();
            const char* end = begin + input.size();
            if (begin != end && *begin == '+') ++begin;
            auto [stop, ec] = std::from_chars(begin, end, v);
            if (ec != std::errc() || stop != end || begin == end) return Format(texts::kCliNotAnInteger, {input});
            if (v < min || v > max) return Format(texts::kCliIntegerOutOfRange, {input, min, max});
            return {};
        },
        description);
}

}  // namespace corvel::cli
