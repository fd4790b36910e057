#include <csignal>
#include <iostream>

#include "Cli.h"
#include "app/DataFolder.h"

int main(int argc, char** argv) {
    // A file-size limit must fail the write (and leave the old file), not kill
    // the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    corvel::cli::Io io{std::cout, std::cerr, corvel::app::ProgramFolder(), &corvel::cli::SystemToday};
    return corvel::cli::RunCli(args, io);
}
