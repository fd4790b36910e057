#include <csignal>
#include <iostream>

#include "Cli.h"
#include "CliHooks.h"
#include "app/DataFolder.h"

int main(int argc, char** argv) {
    // A file-size limit must fail the write (and leave the old file), not kill
    // the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    // The first Ctrl+C asks the running operation to stop; a second one ends
    // the program at once.
    std::signal(SIGINT, [](int) {
        corvel::cli::gStopRequested = 1;
        std::signal(SIGINT, SIG_DFL);
    });
    std::vector<std::string> args(argv + 1, argv + argc);
    corvel::cli::Io io{std::cout, std::cerr, corvel::app::ProgramFolder(), &corvel::cli::SystemToday};
    return corvel::cli::RunCli(args, io);
}
