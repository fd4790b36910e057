#pragma once

#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "CliIo.h"
#include "app/DataFolder.h"
#include "model/DrawRecord.h"
#include "stats/StatList.h"

namespace corvel::cli {

// What every command gets when it runs: the streams and the data folder.
struct Context {
    Io& io;
    app::DataFiles Files;
    // Set when a data file could not be read completely: the command still
    // shows what it read, and the program then ends with kExitDataError.
    bool DataError = false;
};

// One subcommand: declares its options on the parser, then runs with them.
class Command {
public:
    virtual ~Command() = default;
    virtual CLI::App* Register(CLI::App& parent) = 0;
    virtual int Run(Context& ctx) = 0;
};

std::unique_ptr<Command> MakeDrawsCommand();
std::unique_ptr<Command> MakeAddDrawCommand();
std::unique_ptr<Command> MakeEditDrawCommand();
std::unique_ptr<Command> MakeDeleteDrawCommand();
std::unique_ptr<Command> MakeMethodsCommand();
std::unique_ptr<Command> MakeValuesCommand();
std::unique_ptr<Command> MakeStatsCommand();
std::unique_ptr<Command> MakePrefetchCommand();
std::unique_ptr<Command> MakeGenerateCommand();
std::unique_ptr<Command> MakeFilterCommand();

// The options every command over a window of draws shares. A null window
// leaves --window out.
void AddDrawWindowOptions(CLI::App* cmd, int* window, int& offset, bool& sorted);
// An offset must leave at least one draw to analyse.
void RequireOffsetInArchive(int offset, std::size_t draws);

// Reads the archive of the data folder. A read error is a failure when the
// command is going to change the archive (saving what could be read would
// lose the rest); otherwise a warning on stderr that marks the context's
// DataError. A command that changes the archive gets a missing data folder
// created (the first start).
TDrawsArray LoadArchive(Context& ctx, bool forChange);
// Saves the archive; a failure leaves the old file whole.
void SaveArchive(Context& ctx, const TDrawsArray& draws);

// The registry over the archive, with the user's captions and favourites from
// the data folder.
void PrepareRegistry(Context& ctx, TStatList& list, const TDrawsArray& draws);
// Index of the method with the code; an unknown code is a usage failure that
// names the close matches.
int RequireMethod(const TStatList& list, const std::string& code);

}  // namespace corvel::cli
