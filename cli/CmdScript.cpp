// corvel script show | add | run | test: scenario files, as the scenario tab
// lists, edits and runs them. A line is added after the item editor's checks,
// with its filters in their canonical text, and the file is rewritten whole
// through a temporary file; a file that cannot be read is left as it is. A run
// makes stakes for the next draw; a test runs the scenario for each of the
// last N draws and prints what its lines did beside what chance would have.
#include <optional>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "app/ScenarioRunner.h"
#include "app/Workspace.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "scenarios/ScriptItem.h"
#include "scenarios/ScriptList.h"

namespace corvel::cli {
namespace {

TScriptList ReadList(const std::string& file, bool missingIsEmpty) {
    TScriptList list;
    try {
        if (!(missingIsEmpty && !std::filesystem::exists(file))) list.Load(file);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError,
                         TerminalText(ErrorReport(Format(texts::kScriptFileReadError, {file}), e.what()))};
    }
    return list;
}

class ScriptCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("script", texts::kCliScriptCommand.Str());
        cmd->require_subcommand(1);
        show_ = cmd->add_subcommand("show", texts::kCliScriptShowCommand.Str());
        show_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        show_->add_option("FILE", file_, texts::kCliScriptFileArg.Str())->required();
        show_->add_flag("--columns", columns_, texts::kCliScriptColumnsOption.Str());
        add_ = cmd->add_subcommand("add", texts::kCliScriptAddCommand.Str());
        add_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        add_->add_option("FILE", file_, texts::kCliScriptFileArg.Str())->required();
        add_->add_option("LINE", line_, texts::kCliScriptLineArg.Str())->required();
        run_ = cmd->add_subcommand("run", texts::kCliScriptRunCommand.Str());
        test_ = cmd->add_subcommand("test", texts::kCliScriptTestCommand.Str());
        for (CLI::App* sub : {run_, test_}) {
            sub->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
            sub->add_option("FILE", file_, texts::kCliScriptFileArg.Str())->required();
            sub->add_option("--seed", seed_, texts::kCliScriptSeedOption.Str());
            sub->add_flag("--log", log_, texts::kCliScriptLogOption.Str());
            sub->add_flag("--check-per-cycle", perCycle_, texts::kCliScriptCheckPerCycleOption.Str());
        }
        test_->add_option("--count", count_, texts::kCliScriptCountOption.Str())
            ->required()
            ->check(IntRange(1, 100000));
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const TStatList& registry = ws.Statistics().Registry();
        if (run_->parsed() || test_->parsed()) return RunScenario(ctx);
        if (show_->parsed()) {
            const TScriptList list = ReadList(file_, false);
            std::ostream& out = ctx.io.Out;
            if (columns_) out << texts::kCliScriptColumns.Str() << '\n';
            for (std::size_t i = 0; i < list.Count(); ++i) {
                const std::string& line = list.Line(i);
                if (!columns_) {
                    out << OutputField(line) << '\n';
                    continue;
                }
                out << i + 1;
                if (!IsScriptSeparator(line)) {
                    const TScriptItem item = ParseScriptItem(line);
                    out << '\t' << OutputField(item.Comment) << '\t' << ScriptOptionsText(item.Options);
                    for (const std::string& f : item.Filters) out << '\t' << OutputField(ScriptFilterText(f, registry));
                }
                out << '\n';
            }
            return kExitOk;
        }
        // An empty line is a separator.
        std::string line;
        if (!IsScriptSeparator(line_)) {
            auto checked = CheckedScriptLine(ParseScriptItem(line_), registry);
            if (!checked) throw CliFailure{kExitUsage, checked.Error()};
            line = *checked;
        }
        TScriptList list = ReadList(file_, true);
        list.Add(line);
        try {
            list.Save(file_);
        } catch (const ECorvelError& e) {
            throw CliFailure{kExitDataError,
                             TerminalText(ErrorReport(Format(texts::kScriptFileWriteError, {file_}), e.what()))};
        }
        ctx.io.Out << OutputField(line) << '\n';
        return kExitOk;
    }

  private:
    int RunScenario(Context& ctx) {
        app::Workspace& ws = ctx.Workspace();
        const TScriptList list = ReadList(file_, false);
        LockDataFolder(ctx);
        if (!ws.Stakes().Open()) throw CliFailure{kExitDataError, ""};
        LoadArchive(ctx, false);
        app::ScenarioRunner runner(ws);
        app::TScenarioRunOptions options;
        options.Log = log_;
        options.CheckAfterLine = !perCycle_;
        if (seed_) options.Seed = *seed_;
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < list.Count(); ++i) lines.push_back(list.Line(i));
        const std::int64_t before = ws.Stakes().File().Count();
        const bool ok = test_->parsed() ? runner.Test(lines, count_, options) : runner.Run(lines, options);
        std::ostream& out = ctx.io.Out;
        if (run_->parsed()) {
            // The stakes made, as draw, numbers and comment.
            const TStakesFile& stakes = ws.Stakes().File();
            for (std::int64_t i = before; i < stakes.Count(); ++i) {
                const TStakeRec rec = stakes.Read(i);
                if (rec.IsSeparator()) continue;
                out << rec.Draw << '\t';
                for (int k = 0; k < rec.Stake.Count; ++k)
                    out << (k ? ";" : "") << int{rec.Stake.Values[static_cast<std::size_t>(k)]};
                out << '\t' << OutputField(rec.Comment()) << '\n';
            }
        } else {
            out << app::RunReportText(runner.Report());
            try {
                const auto reportFile = runner.SaveReport();
                ctx.io.Err << Format(texts::kCliScriptReportWritten, {reportFile.string()}) << '\n';
            } catch (const ECorvelError& e) {
                ctx.io.Err << TerminalText(e.what()) << '\n';
            }
        }
        ctx.io.Err << Format(texts::kCliScriptSeedShown, {std::to_string(runner.Seed())}) << '\n';
        if (!runner.LogFile().empty()) ctx.io.Err << runner.LogFile().string() << '\n';
        return ok ? kExitOk : kExitDataError;
    }

    CLI::App* run_ = nullptr;
    CLI::App* test_ = nullptr;
    std::optional<std::uint64_t> seed_;
    bool log_ = false;
    bool perCycle_ = false;
    int count_ = 0;
    CLI::App* show_ = nullptr;
    CLI::App* add_ = nullptr;
    std::string file_;
    std::string line_;
    bool columns_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeScriptCommand() { return std::make_unique<ScriptCommand>(); }

}  // namespace corvel::cli
