#include "app/ScenarioRunner.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>

#include "app/UserOperation.h"
#include "app/Workspace.h"
#include "combs/CombsEdit.h"
#include "i18n/Texts.h"
#include "model/NumberSet.h"
#include "model/DrawArchive.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "scenarios/ScriptVariants.h"
#include "stakes/StakeCheck.h"
#include "stats/StatList.h"

namespace corvel::app {
namespace {

std::string LocalTime(const char* pattern) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, pattern, &local);
    return text;
}

std::string NumbersText(const TCombination& c) {
    std::string text;
    for (auto n : c) text += (text.empty() ? "" : ";") + std::to_string(n);
    return text;
}

}  // namespace

ScenarioRunner::ScenarioRunner(Workspace& workspace)
    : ws_(workspace), buffer_(CombsBufferPath(workspace.Files().Folder)) {
    LogTime = [] { return LocalTime("%Y-%m-%d %H:%M:%S"); };
    LogFileTime = [] { return LocalTime("%Y-%m-%d-%H-%M-%S"); };
}

bool ScenarioRunner::StopRequested() const { return stop_ || ws_.Hooks().StopRequested(); }

void ScenarioRunner::Changed() {
    if (StateChanged) StateChanged();
}

bool ScenarioRunner::Fail(const std::string& error) {
    stop_ = true;
    error_ = true;
    ws_.Hooks().Error(error);
    return false;
}

void ScenarioRunner::Log(const std::string& text) {
    if (!logEnabled_) return;
    if (logFile_.empty()) logFile_ = ws_.Files().Folder / ("ScriptLog_" + LogFileTime() + ".txt");
    std::ofstream out(logFile_, std::ios::app | std::ios::binary);
    out << '[' << LogTime() << "]: " << text << '\n';
    out.flush();
    if (!out) {
        // Shown once; the run goes on without its log.
        logEnabled_ = false;
        ws_.Hooks().Error(Format(texts::kScriptLogWriteError, {logFile_.string()}));
    }
}

void ScenarioRunner::LogOffset() {
    Log(texts::kScriptLogEquals.Str());
    Log(Format(texts::kScriptLogOffset, {ws_.Archive().Offset()}));
    Log(texts::kScriptLogEquals.Str());
}

bool ScenarioRunner::Start(const TScenarioRunOptions& options) {
    if (running_) return Fail(texts::kScriptAlreadyRunning.Str());
    running_ = true;
    stop_ = false;
    error_ = false;
    stopAsked_ = false;
    systemWarned_ = false;
    logEnabled_ = options.Log;
    checkAfterLine_ = options.CheckAfterLine;
    logFile_.clear();
    cycle_ = 0;
    line_ = 0;
    stakesMade_ = 0;
    checkFrom_ = ws_.Stakes().IsOpen() ? ws_.Stakes().File().Count() : 0;
    variantText_.clear();
    known_.reset();
    random_.emplace(options.Seed ? *options.Seed : TSeededRandom::FreshSeed());
    report_ = {};
    report_.Seed = random_->Seed();
    ws_.Hooks().ShowStatus(texts::kScriptRunStatus);
    Log(texts::kScriptLogStart.Str());
    Log(Format(texts::kScriptLogSeed, {std::to_string(random_->Seed())}));
    return true;
}

void ScenarioRunner::Finish() {
    if (!StopRequested()) variantText_ = texts::kScriptFinished.Str();
    Log(texts::kScriptLogFinish.Str());
    // Lines report what they did against what chance would have done.
    for (TLineReport& r : report_.Lines)
        r.Chance = ChanceBaseline(r.Stakes, r.Prizes, ws_.Statistics().Registry().Settings.Config,
                                  report_.Seed ^ static_cast<std::uint64_t>(r.Line));
    cycle_ = 0;
    running_ = false;
    ws_.Statistics().ApplyFilterCoefficients(false, {});
    ws_.Combinations().WalkLog = nullptr;
    ws_.Hooks().ShowStatus("");
    Changed();
}

bool ScenarioRunner::Run(const std::vector<std::string>& lines, const TScenarioRunOptions& options) {
    if (ws_.Archive().Draws().empty()) return Fail(texts::kScriptArchiveEmpty.Str());
    BusyGuard busy(ws_.Hooks());
    if (!Start(options)) return false;
    cycle_ = 1;
    Changed();
    LogOffset();
    try {
        RunCycle(lines);
    } catch (...) {
        Finish();
        throw;
    }
    report_.Draws = 1;
    const bool ok = !StopRequested();
    Finish();
    return ok;
}

bool ScenarioRunner::Test(const std::vector<std::string>& lines, int count, const TScenarioRunOptions& options) {
    const int size = static_cast<int>(ws_.Archive().Draws().size());
    if (size == 0) return Fail(texts::kScriptArchiveEmpty.Str());
    if (count < 1 || count > size - 1) return Fail(Format(texts::kScriptTestCountRange, {size - 1}));
    BusyGuard busy(ws_.Hooks());
    if (!Start(options)) return false;
    const int oldOffset = ws_.Archive().Offset();
    try {
        for (int o = count; o >= 1 && !StopRequested(); --o) {
            ++cycle_;
            Changed();
            ws_.Hooks().ShowStatus(texts::kScriptRunStatus);
            ws_.Archive().SetOffset(o);
            LogOffset();
            RunCycle(lines);
            ++report_.Draws;
        }
    } catch (...) {
        ws_.Archive().SetOffset(oldOffset);
        Finish();
        throw;
    }
    const bool ok = !StopRequested();
    // A test stopped by the person or by a STOP line leaves the offset where
    // it stopped; one that ended with an error, or ran through, gets it back.
    if (ok || (error_ && !stopAsked_)) ws_.Archive().SetOffset(oldOffset);
    Finish();
    return ok;
}

void ScenarioRunner::RunCycle(const std::vector<std::string>& lines) {
    StakesService& stakes = ws_.Stakes();
    // Every cycle's stakes start after a separator.
    if (stakes.IsOpen() && stakes.File().Count() > 0 && !stakes.File().Read(stakes.File().Count() - 1).IsSeparator()) {
        TStakeRec separator;
        if (!stakes.Append(std::span(&separator, 1), 1)) {
            stop_ = error_ = true;
            return;
        }
    }
    buffer_.Reset();
    ws_.Combinations().WalkLog = [this](const std::string& text) { Log(text); };
    for (std::size_t i = 0; i < lines.size() && !StopRequested(); ++i) {
        const std::string& text = lines[i];
        if (IsScriptSeparator(text)) continue;
        line_ = static_cast<int>(i) + 1;
        Changed();
        Log(texts::kScriptLogDashes.Str());
        Log(Format(texts::kScriptLogLine, {line_, text}));
        Log(texts::kScriptLogDashes.Str());
        RunLine(static_cast<int>(i), text);
        ws_.Hooks().ProcessEvents();
    }
    if (!checkAfterLine_) CheckStakes();
    ws_.Statistics().ApplyFilterCoefficients(false, {});
    buffer_.Reset();
    line_ = 0;
    Changed();
}

void ScenarioRunner::RunLine(int index, const std::string& text) {
    const int line = index + 1;
    const TScriptOptions options = ParseScriptOptions(ScriptLineOptions(text));
    const std::string comment = ScriptLineComment(text);
    const std::string shortOptions = FormatScriptOptionsShort(options);
    const TStatList& stats = ws_.Statistics().Registry();
    CombinationsService& combs = ws_.Combinations();

    // The report entry of this line, found by its number.
    auto entry =
        std::find_if(report_.Lines.begin(), report_.Lines.end(), [&](const TLineReport& r) { return r.Line == line; });
    if (entry == report_.Lines.end()) {
        report_.Lines.push_back({});
        report_.Lines.back().Line = line;
        report_.Lines.back().Text = text;
        entry = report_.Lines.end() - 1;
    }
    ++entry->Draws;
    reportLine_ = static_cast<int>(entry - report_.Lines.begin());

    variantText_.clear();
    Changed();
    Log(texts::kScriptMakingVariants.Str());
    ws_.Hooks().ShowStatus(texts::kScriptMakingVariants);
    std::optional<TScriptVariants> variants;
    try {
        variants.emplace(ScriptLineFilters(text), stats);
    } catch (const ECorvelError& e) {
        Fail(e.what());
        reportLine_ = -1;
        return;
    }
    const std::uint64_t count = variants->Count();
    Log(Format(texts::kScriptVariantsMade, {count}));

    if (count == 0) {
        // A line without filters stakes its start list as it is.
        Log(texts::kScriptNoFilters.Str());
        Log("");
        variantText_ = shortOptions;
        Changed();
        if (PrepareStartList(options)) MakeLineStakes(options, line, shortOptions, comment, 0);
        if (checkAfterLine_) CheckStakes();
    }
    for (std::uint64_t k = 1; k <= count && !StopRequested(); ++k) {
        TFilterRec rec;
        try {
            rec = variants->Variant(k - 1);
        } catch (const ECorvelError& e) {
            Fail(e.what());
            break;
        }
        const std::string filters = FilterRecText(rec, stats);
        Log("");
        Log(texts::kScriptLogDashes.Str());
        Log(Format(texts::kScriptLogVariant, {k, filters}));
        Log(texts::kScriptLogDashes.Str());
        variantText_ = Format(texts::kScriptVariantPanel, {k, count, filters});
        Changed();
        Log(texts::kScriptPreparingList.Str());
        if (!PrepareStartList(options)) break;
        for (const TFilterPart& part : rec) {
            if (StopRequested()) break;
            if (!part.Active || combs.List().Current().Count() <= 1) continue;
            if (part.Method < 0 || part.Method >= stats.Count()) {
                Fail(Format(texts::kScriptMissingMethod, {FilterPartText(part, stats), ""}));
                break;
            }
            if (!combs.ApplyFilterPart(part)) {
                // An error (shown) or a stop ends the line.
                if (!StopRequested()) error_ = true;
                stop_ = true;
                break;
            }
        }
        if (StopRequested()) break;
        MakeLineStakes(options, line, shortOptions + " + " + filters, comment, k);
        Log(texts::kScriptLogDashes.Str());
        if (checkAfterLine_) CheckStakes();
    }
    if (StopRequested() && checkAfterLine_) CheckStakes();
    combs.List().ForgetUndo();
    reportLine_ = -1;
}

bool ScenarioRunner::PrepareStartList(const TScriptOptions& options) {
    CombinationsService& combs = ws_.Combinations();
    const auto start = static_cast<TStartType>(options.StartType);
    bool ok = true;
    if (start == TStartType::Full || start == TStartType::Exclude) {
        if (start == TStartType::Exclude && options.ExcludeDraws > 0)
            ok = combs.StartWithoutLastDraws(options.ExcludeDraws, buffer_);
        else
            ok = combs.Generate(false);
    }
    if (ok && options.ClearStakes) {
        // Stakes still waiting for their draw are never erased: the checked
        // ones go, after a check.
        CheckStakes();
        ok = ws_.Stakes().DeleteByCondition(TStakeCondition::AtLeast, 0);
        checkFrom_ = std::min(checkFrom_, ws_.Stakes().File().Count());
        known_.reset();
    }
    Log(Format(texts::kScriptListCount, {combs.List().Current().Count()}));
    if (!ok) stop_ = error_ = true;
    return ok;
}

void ScenarioRunner::MakeLineStakes(const TScriptOptions& options, int line, const std::string& text,
                                    const std::string& comment, std::uint64_t variant) {
    const auto mode = static_cast<TResultMode>(options.ResultMode);
    Log(Format(texts::kScriptAddingStake, {ResultModeEditorText(options.ResultMode)}));
    const TCombsArray& list = ws_.Combinations().List().Current();
    const std::size_t n = list.Count();
    if (n == 0 || mode == TResultMode::None) return;

    std::string stakeComment = Format("%.2d.%.3d:", {line, variant});
    if (!Trim(comment).empty()) stakeComment += " " + std::string(Trim(comment));
    stakeComment += " @ " + text;

    if (n > 1 && mode == TResultMode::Stop) {
        stop_ = stopAsked_ = true;
        Log(texts::kScriptStoppedByLine.Str());
        ws_.Hooks().Warning(Format(texts::kScriptStopWarning, {n, stakeComment}));
        return;
    }
    if (n > 1 && mode == TResultMode::Skip) {
        Log(texts::kScriptStakeSkipped.Str());
        return;
    }
    std::vector<TCombination> numbers;
    if (n == 1 || mode == TResultMode::First || mode == TResultMode::Stop || mode == TResultMode::Skip) {
        numbers.push_back(list.Items()[0]);
    } else if (mode == TResultMode::Random) {
        numbers.push_back(list.Items()[random_->Below(n)]);
    } else if (mode == TResultMode::Last) {
        numbers.push_back(list.Items()[n - 1]);
    } else if (mode == TResultMode::All) {
        numbers.assign(list.Items().begin(), list.Items().end());
    } else {
        // System play: the system for the list's distinct numbers, mapped onto them.
        const bool listOnly = mode == TResultMode::SystemCombs;
        try {
            TSystemPlay play = PlanSystemPlay(ws_.Files().SystemsFolder(), list, listOnly);
            Log(Format(listOnly ? texts::kScriptSystemCombs : texts::kScriptSystemAll, {play.Numbers, play.Name}));
            numbers = std::move(play.Combinations);
        } catch (const ECorvelError& e) {
            // A line whose system is missing makes no stakes and the run goes
            // on (the count of numbers differs from draw to draw); the reason
            // is logged every time and shown once.
            Log(Format(texts::kScriptSystemError, {CountUniqueNumbers(list), std::string(e.what())}));
            if (!systemWarned_) ws_.Hooks().Warning(e.what());
            systemWarned_ = true;
            return;
        }
    }
    MakeStakes(numbers, stakeComment, options.NewOnly);
}

void ScenarioRunner::LoadKnownStakes() {
    known_.emplace();
    const TStakesFile& file = ws_.Stakes().File();
    const std::int64_t count = file.Count();
    constexpr std::size_t kChunk = 4096;
    std::vector<TStakeRec> chunk(kChunk);
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunk));
        file.ReadRange(at, std::span(chunk).first(n));
        for (std::size_t i = 0; i < n; ++i) {
            const TStakeRec& rec = chunk[i];
            if (rec.IsSeparator() || rec.Stake.Count != kNumbersPerDraw) continue;
            TCombination c{};
            std::copy_n(rec.Stake.Values.begin(), kNumbersPerDraw, c.begin());
            known_->insert({rec.Draw, SortedCombinationKey(c)});
        }
        at += static_cast<std::int64_t>(n);
    }
}

bool ScenarioRunner::MakeStakes(const std::vector<TCombination>& numbers, const std::string& comment, bool newOnly) {
    StakesService& stakes = ws_.Stakes();
    const std::int32_t sample = static_cast<std::int32_t>(ws_.Combinations().List().Current().Count());
    if (newOnly && !known_) LoadKnownStakes();
    std::vector<TStakeRec> recs;
    recs.reserve(std::min<std::size_t>(numbers.size(), 65536));
    auto flush = [&] {
        if (recs.empty()) return true;
        const bool ok = stakes.Append(recs, 1);
        if (ok) {
            for (const TStakeRec& rec : recs) CountForReport(rec);
            stakesMade_ += static_cast<std::int64_t>(recs.size());
            Changed();
        } else {
            stop_ = error_ = true;
        }
        recs.clear();
        return ok;
    };
    for (const TCombination& c : numbers) {
        if (StopRequested()) break;
        TStakeRec rec = stakes.NewStake(c, sample);
        rec.Kind = TStakeKind::Scenario;
        rec.SetComment(comment);
        TCombination sorted = c;
        SortNumbers(sorted);
        if (newOnly) {
            const TKnownStake key{rec.Draw, SortedCombinationKey(sorted)};
            if (!known_->insert(key).second) {
                Log(Format(texts::kScriptStakeExists, {rec.Draw, NumbersText(sorted)}));
                continue;
            }
        }
        Log(Format(texts::kScriptStakeAdded, {rec.Draw, NumbersText(sorted)}));
        recs.push_back(rec);
        if (recs.size() == 65536 && !flush()) return false;
    }
    return flush();
}

void ScenarioRunner::CountForReport(const TStakeRec& rec) {
    if (reportLine_ < 0) return;
    // Only a stake whose draw is in the archive (a test) has a result yet.
    const int index = FindDrawIndex(ws_.Archive().Draws(), rec.Draw);
    if (index < 0) return;
    TLineReport& r = report_.Lines[static_cast<std::size_t>(reportLine_)];
    TCombination c{};
    std::copy_n(rec.Stake.Values.begin(), kNumbersPerDraw, c.begin());
    const int m = SharedNumbers(c, ws_.Archive().Draws()[static_cast<std::size_t>(index)].Numbers);
    const TConfigData& config = ws_.Statistics().Registry().Settings.Config;
    ++r.Stakes;
    ++r.ByMatches[static_cast<std::size_t>(m)];
    r.Cost += TMoney::FromRaw(-StakeProfit(kNumbersPerDraw, -1, config).Raw());
    r.Prizes += SixNumberPrize(m, config);
}

void ScenarioRunner::CheckStakes() {
    StakesService& stakes = ws_.Stakes();
    if (!stakes.IsOpen()) return;
    // The archive does not change during a run: only the stakes appended
    // since the last check can have become checkable.
    const std::int64_t end = stakes.File().Count();
    if (checkFrom_ >= end) return;
    if (stakes.Check(checkFrom_) >= 0) checkFrom_ = end;
}

std::filesystem::path ScenarioRunner::SaveReport() const {
    constexpr std::string_view kLogPrefix = "ScriptLog_";
    const std::string stamp = logFile_.empty() ? LogFileTime() : logFile_.stem().string().substr(kLogPrefix.size());
    const auto file = ws_.Files().Folder / ("ScriptReport_" + stamp + ".txt");
    WriteFileAtomically(file, RunReportText(report_));
    return file;
}

std::string RunReportText(const TRunReport& report) {
    std::string text;
    for (const TLineReport& r : report.Lines) {
        if (r.Stakes == 0) continue;
        text += Format(texts::kReportLine, {r.Line, r.Text}) + "\n";
        text += Format(texts::kReportFigures,
                       {r.Draws, r.Stakes, r.Cost.ToText(), r.Prizes.ToText(), r.Balance().ToText()}) +
                "\n";
        std::string actual, expected;
        for (std::size_t m = 0; m < r.ByMatches.size(); ++m) {
            actual += Format("  %d: %d", {m, r.ByMatches[m]});
            expected += Format("  %d: %.2f", {m, r.Chance.ExpectedByMatches[m]});
        }
        text += texts::kReportMatches.Str() + actual + "\n";
        text += texts::kReportChanceMatches.Str() + expected + "\n";
        text += Format(texts::kReportChancePrizes, {r.Chance.ExpectedPrizes}) + "\n";
        text += Format(texts::kReportPValue, {r.Chance.PValue, r.Chance.Replays}) + "\n\n";
    }
    text += Format(texts::kReportSeed, {std::to_string(report.Seed)}) + "\n";
    return text;
}

}  // namespace corvel::app
