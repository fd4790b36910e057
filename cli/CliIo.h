#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

// What a command of the command-line program may touch besides its arguments:
// the output streams, the program's folder and the clock. Tests pass string
// streams and a fixed date.
namespace corvel::cli {

struct Io {
    std::ostream& Out;
    std::ostream& Err;
    std::filesystem::path ProgramFolder;
    std::function<std::chrono::year_month_day()> Today;
};

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitDataError = 1;
inline constexpr int kExitUsage = 2;

// A command that cannot go on: its message goes to stderr and the program
// ends with the code.
struct CliFailure {
    int ExitCode;
    std::string Message;
};

// Message-box texts use "\r" for line breaks; a terminal wants "\n".
std::string TerminalText(std::string text);

// A field of tab-separated output: control characters (a tab or line break
// stored in a file) are written as \xHH, so every record stays one line with
// its columns in place.
std::string OutputField(std::string_view text);

// Today's date from the system clock, in local time.
std::chrono::year_month_day SystemToday();

}  // namespace corvel::cli
