#pragma once

// Runs the command line in-process with string streams and a fixed date.
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"

namespace corvel::test {

struct CliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

// The day the in-process runs take for today.
inline constexpr std::chrono::year_month_day kCliToday{std::chrono::year(2027), std::chrono::month(1),
                                                       std::chrono::day(9)};

inline CliResult RunCliInProcess(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    cli::Io io{out, err, {}, [] { return kCliToday; }};
    CliResult result;
    result.ExitCode = cli::RunCli(args, io);
    result.Out = out.str();
    result.Err = err.str();
    return result;
}

// Lines of a text, without their line breaks.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Tab-separated fields of one line.
inline std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

}  // namespace corvel::test
