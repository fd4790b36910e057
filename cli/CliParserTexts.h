#pragma once

#include <string>

#include <CLI/CLI.hpp>

// The command-line parser speaks Russian: its help labels, its range checks
// and the messages of its parse errors.
namespace corvel::cli {

// Sets the help labels and option groups of the parser and its commands.
// Call after every command is registered.
void UseRussianHelp(CLI::App& parser);

// The Russian text of a parse error: what was wrong and with which argument.
std::string ParseErrorText(const CLI::ParseError& error);

// A whole number from `min` to `max`, with Russian description and message
// (CLI::Range speaks English and accepts fractions for integer options).
CLI::Validator IntRange(long long min, long long max);

}  // namespace corvel::cli
