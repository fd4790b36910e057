#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "combs/CombsBuffer.h"
#include "model/Money.h"
#include "model/SeededRandom.h"
#include "scenarios/ScriptLine.h"
#include "stakes/ChanceBaseline.h"
#include "stakes/StakeRecord.h"
#include "stats/FilterDefinition.h"

// Running a scenario: every line once for the next draw (the forecast), or
// the whole scenario for each of the last N draws as if it were the newest,
// with the stakes checked at once (the test). Each line prepares its start list,
// applies each variant of its filters and turns what is left into stakes
// whose comments name the line, the variant and the filters used.
namespace corvel::app {

class Workspace;

struct TScenarioRunOptions {
    bool Log = false;                   // write the run log ScriptLog_*.txt
    bool CheckAfterLine = true;         // check the stakes after every line (else after every cycle)
    std::optional<std::uint64_t> Seed;  // none: a fresh one (shown in the log and the report)
};

// One scenario line over a test: what its stakes did, and what as many random
// stakes would have done on the same draws.
struct TLineReport {
    int Line = 0;  // from 1
    std::string Text;
    int Draws = 0;  // cycles in which the line ran
    std::int64_t Stakes = 0;
    TMoney Cost;
    TMoney Prizes;
    std::array<std::int64_t, 7> ByMatches{};
    TChanceBaseline Chance;
    TMoney Balance() const { return Prizes - Cost; }
};

struct TRunReport {
    int Draws = 0;  // cycles run
    std::uint64_t Seed = 0;
    std::vector<TLineReport> Lines;  // lines that made stakes, in scenario order
};

// The report as text: a block per line, then the seed.
std::string RunReportText(const TRunReport& report);

class ScenarioRunner {
  public:
    explicit ScenarioRunner(Workspace& workspace);

    // Every line once at the current offset. False after an error (shown) or
    // a stop.
    bool Run(const std::vector<std::string>& lines, const TScenarioRunOptions& options);
    // The scenario for offsets count, count - 1, ..., 1 (1..archive size - 1),
    // the offset restored afterwards unless the test was stopped (then it
    // stays where the stop came). The report covers the cycles run.
    bool Test(const std::vector<std::string>& lines, int count, const TScenarioRunOptions& options);

    bool Running() const { return running_; }
    // A stop asked for by the person, a STOP result or an error; the current
    // step, variant, line and cycle end, and the run ends as usual.
    void RequestStop() { stop_ = stopAsked_ = true; }
    bool StopRequested() const;
    // The run ended early because of an error (shown).
    bool Failed() const { return error_; }

    int Cycle() const { return cycle_; }
    int LineNumber() const { return line_; }
    std::int64_t StakesMade() const { return stakesMade_; }
    const std::string& VariantText() const { return variantText_; }
    std::uint64_t Seed() const { return random_ ? random_->Seed() : 0; }
    const TRunReport& Report() const { return report_; }
    // Writes the report beside the run log (ScriptReport_<the log's moment>.txt,
    // or the moment now without a log) through a temporary file; the path.
    // Throws ECorvelError when it cannot be written.
    std::filesystem::path SaveReport() const;
    const std::filesystem::path& LogFile() const { return logFile_; }

    // Called when the run's state shown in the status panels changes (cycle,
    // line, variant, stakes made).
    std::function<void()> StateChanged;
    // The moment a log line is written, "yyyy-mm-dd hh:nn:ss"; and the one
    // the log file is named after, "yyyy-mm-dd-hh-nn-ss". Tests pass fixed ones.
    std::function<std::string()> LogTime;
    std::function<std::string()> LogFileTime;

  private:
    bool Start(const TScenarioRunOptions& options);
    void Finish();
    void RunCycle(const std::vector<std::string>& lines);
    void RunLine(int index, const std::string& text);
    bool PrepareStartList(const TScriptOptions& options);
    void MakeLineStakes(const TScriptOptions& options, int line, const std::string& text, const std::string& comment,
                        std::uint64_t variant);
    bool MakeStakes(const std::vector<TCombination>& numbers, const std::string& comment, bool newOnly);
    void CheckStakes();
    void Log(const std::string& text);
    void LogOffset();
    void Changed();
    bool Fail(const std::string& error);
    void CountForReport(const TStakeRec& rec);
    void LoadKnownStakes();

    Workspace& ws_;
    bool running_ = false;
    bool stop_ = false;
    bool error_ = false;         // an error ended the run
    bool stopAsked_ = false;     // the person or a STOP line asked for the stop
    bool systemWarned_ = false;  // a line without its system was shown once this run
    bool logEnabled_ = false;
    bool checkAfterLine_ = true;
    int cycle_ = 0;
    int line_ = 0;
    std::int64_t stakesMade_ = 0;
    std::int64_t checkFrom_ = 0;  // the first stake record not checked by this run yet
    std::string variantText_;
    std::optional<TSeededRandom> random_;
    std::filesystem::path logFile_;
    TCombsBuffer buffer_;
    TRunReport report_;
    int reportLine_ = -1;  // the report entry of the line running, -1 when none
    // Stakes of the file by draw and numbers, for lines that stake only new
    // ones; read once per run when the first such line comes.
    struct TKnownStake {
        std::int32_t Draw = 0;
        std::uint64_t Numbers = 0;  // SortedCombinationKey
        friend bool operator==(const TKnownStake&, const TKnownStake&) = default;
    };
    struct TKnownStakeHash {
        std::size_t operator()(const TKnownStake& k) const {
            return std::hash<std::uint64_t>()(k.Numbers * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(k.Draw));
        }
    };
    std::optional<std::unordered_set<TKnownStake, TKnownStakeHash>> known_;
};

}  // namespace corvel::app
