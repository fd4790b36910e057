#include "model/DateText.h"

#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {

std::string FormatDateText(std::chrono::year_month_day date) {
    if (!date.ok()) return {};
    return Format("%.2d.%.2d.%.4d", {static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                                     static_cast<int>(date.year())});
}

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view text) {
    std::string_view t = Trim(text);
    if (t.empty()) return std::nullopt;
    // The year takes all four of its places: "05.12.26" is no date (a century
    // would have to be guessed).
    if (t.size() < 10) return std::nullopt;
    for (char c : t.substr(6, 4))
        if (c < '0' || c > '9') return std::nullopt;
    auto field = [&](std::size_t pos, std::size_t len) {
        if (pos >= t.size()) return 0;
        return ToIntDef(t.substr(pos, len), 0);
    };
    std::chrono::year_month_day date{std::chrono::year(field(6, 4)),
                                     std::chrono::month(static_cast<unsigned>(field(3, 2))),
                                     std::chrono::day(static_cast<unsigned>(field(0, 2)))};
    if (!date.ok() || static_cast<int>(date.year()) < 1) return std::nullopt;
    return date;
}

}  // namespace corvel
