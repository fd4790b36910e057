#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Deleting the stakes logs: every file of the data folder named like a log
// ("CorvelLotto_6x48-*.log", one per match count), whatever its number.
namespace corvel {

struct TStakeLogsDeletion {
    int Found = 0;                    // log files found
    int Deleted = 0;                  // of those, deleted
    std::vector<std::string> Errors;  // one text per file that could not be deleted
};

// Deletes the log files of the folder; a file that cannot be deleted is
// reported in Errors and the others are still deleted.
TStakeLogsDeletion DeleteStakeLogs(const std::filesystem::path& folder);

// The same for the scenario run logs ("ScriptLog_*.txt").
TStakeLogsDeletion DeleteScenarioLogs(const std::filesystem::path& folder);

// What to show once the deletion ran: the summary, an empty line, and the
// details (the files that stayed, with their errors).
std::string StakeLogsDeletionText(const TStakeLogsDeletion& result);

}  // namespace corvel
