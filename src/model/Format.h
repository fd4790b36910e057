#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "i18n/StringTable.h"

namespace corvel {

// One argument of Format: an integer, a floating-point number or a text.
class FormatArg {
  public:
    FormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(unsigned long long v) : value_(static_cast<std::int64_t>(v)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(long double v) : value_(static_cast<double>(v)) {}
    FormatArg(const char* v) : value_(std::string_view(v)) {}
    FormatArg(std::string_view v) : value_(v) {}
    FormatArg(const std::string& v) : value_(std::string_view(v)) {}
    FormatArg(const i18n::TextId& v) : value_(std::string_view(v)) {}

    const std::variant<std::int64_t, double, std::string_view>& value() const { return value_; }

  private:
    std::variant<std::int64_t, double, std::string_view> value_;
};

// Builds a text from a pattern in the style of the system's resource strings:
// "%s", "%d", "%u", "%x", "%f", "%n" take the next argument; "%1:s" takes the
// argument with that 0-based index and continues from there; a width, a "-" for
// left alignment and a precision may stand between, both counted in characters
// of a text (so "%.3d" pads an integer to three digits with zeros, "%.2f" gives
// two decimals, "%n" groups thousands with spaces). "%%" is a percent sign. A placeholder without a matching argument
// gives "?" rather than failing, so a faulty language string cannot crash.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args = {});

// A size on the disk as a person reads it: bytes below a thousand, then
// kilobytes, megabytes and gigabytes of 1000 (3.83 gigabytes for 3,828,711,744 bytes).
std::string ByteSizeText(std::uint64_t bytes);

}  // namespace corvel
