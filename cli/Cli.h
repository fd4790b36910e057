#pragma once

#include <string>
#include <vector>

#include "CliIo.h"

namespace corvel::cli {

// Runs the command line (args without the program name) and returns the exit
// code: 0 success, 1 a data or file error, 2 bad usage. Errors go to io.Err.
int RunCli(const std::vector<std::string>& args, Io& io);

}  // namespace corvel::cli
