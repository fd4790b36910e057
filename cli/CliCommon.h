#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "CliHooks.h"
#include "CliIo.h"
#include "app/DataFolder.h"
#include "app/Workspace.h"
#include "model/DrawRecord.h"
#include "model/GraphSeries.h"
#include "stakes/StakesFile.h"
#include "stats/StatList.h"

namespace corvel::cli {

// How long a writing command waits for the folder lock by default: long
// enough for another command's short write, short enough not to look hung
// while the desktop program holds the folder.
inline constexpr int kDefaultLockWaitSeconds = 5;

// What every command gets when it runs: the streams, the data folder, how
// long to wait for its lock, and the workspace on the folder, whose services
// run the command (made on first use, with the hooks that write to stderr;
// it holds the folder lock once taken).
class Context {
  public:
    Context(Io& streams, app::DataFiles files, std::chrono::milliseconds lockWait)
        : io(streams), Files(std::move(files)), LockWait(lockWait), hooks_(streams.Err, true) {}

    Io& io;
    const app::DataFiles Files;
    const std::chrono::milliseconds LockWait;

    CliHooks& Hooks() { return hooks_; }
    app::Workspace& Workspace();

  private:
    CliHooks hooks_;
    std::unique_ptr<app::Workspace> workspace_;
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
std::unique_ptr<Command> MakeStakesCommand();
std::unique_ptr<Command> MakeScriptCommand();
std::unique_ptr<Command> MakeRatingsCommand();
std::unique_ptr<Command> MakeGraphCommand();
std::unique_ptr<Command> MakeSystemsCommand();
std::unique_ptr<Command> MakeRepeatsCommand();
std::unique_ptr<Command> MakeSumDistributionCommand();
std::unique_ptr<Command> MakeDetailsCommand();
std::unique_ptr<Command> MakeCardCommand();
std::unique_ptr<Command> MakeLayoutCommand();
std::unique_ptr<Command> MakeTablesCommand();

// Takes the per-folder lock that the desktop program holds, waiting up to
// ctx.LockWait; every command that writes a data file of the folder calls it
// before it reads what it will change. Refused: the exclusive-access error,
// exit 1, nothing changed.
void LockDataFolder(Context& ctx);

// The options every command over a window of draws shares. A null window
// leaves --window out.
void AddDrawWindowOptions(CLI::App* cmd, int* window, int& offset, bool& sorted);
// --prefetch / --no-prefetch: compare with the full set of combinations
// (the prefetch switch of the statistics tab; off by default).
void AddPrefetchFlag(CLI::App* cmd, bool& prefetch);
// An offset must leave at least one draw to analyse.
void RequireOffsetInArchive(int offset, std::size_t draws);

// Reads the archive of the data folder into the workspace. A read error is
// reported; it then is a failure when the command is going to change the
// archive (saving what could be read would lose the rest), and otherwise
// the command goes on and returns false (it ends with kExitDataError). A
// command that changes the archive gets a missing data folder created (the
// first start).
bool LoadArchive(Context& ctx, bool forChange);
// The archive that a command is about to change, read under the folder lock:
// a damaged archive or folder is refused before the lock file is made, and the
// archive is read again once the lock is held, since another writer may have
// changed it meanwhile.
void LoadArchiveForChange(Context& ctx);
// Changes the archive through its service (saved at once); a failure leaves
// the old file whole and ends the command with kExitDataError.
void ChangeArchive(Context& ctx, const std::function<void(TDrawsArray&)>& edit);

// The stakes file as it is, for reading only (no lock: nothing is written);
// its warnings go to stderr, a file that cannot be read ends the command.
void OpenStakesForReading(Context& ctx, TStakesFile& file);

// The stakes of the folder opened for a change: the lock, the prize table,
// the file as start-up opens it, and the archive, whose loading checks the
// stakes that waited for their draws.
app::StakesService& OpenStakesForChange(Context& ctx);

// The combination list stakes are made from: a combinations file, or (no
// file) the list the generation settings give.
const TCombsArray& LoadCombinationList(Context& ctx, const std::string& from);

// Rows of a list as the person numbers them, "3" or "5-9" counted from 1, as
// indexes from 0. A faulty word is a usage failure; a row past `count` ends
// the command with noRow (given that row and the count).
std::vector<std::int64_t> ParseRowList(const std::vector<std::string>& words, std::int64_t count,
                                       const i18n::TextId& noRow);

// A graph as text: the caption, then for each series a line with its name
// followed by a line "x<TAB>y" per point, x as an integer and y as
// value(series index, y) writes it.
void PrintGraph(std::ostream& out, const TGraph& graph, const std::function<std::string(std::size_t, double)>& value);
// Builds a graph, turning a graph without data into its failure (exit 1).
TGraph BuildGraph(const std::function<TGraph()>& build);
// y as a whole number, as money (two decimals), or with three decimals.
std::string IntegerText(double y);
std::string MoneyText(double y);

// Index of the method with the code; an unknown code is a usage failure that
// names the close matches.
int RequireMethod(const TStatList& list, const std::string& code);

}  // namespace corvel::cli
