// corvel tables ...: the regular table stakes of the regulars tab. The list
// is read as it is, without the lock; the commands that change the regulars
// or make stakes from them take the folder lock first and go through the
// tables service, so the same checks and the same crash-safe rewrites apply
// as in the desktop program, and a failure leaves the files as they were.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stakes/StakeInput.h"
#include "stakes/TableRecord.h"

namespace corvel::cli {
namespace {

std::vector<TTableRec> ReadTables(Context& ctx) {
    const std::filesystem::path file = ctx.Files.Tables();
    try {
        if (std::filesystem::exists(file) || std::filesystem::is_symlink(file)) return ReadTablesFile(file);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(ErrorReport(texts::kTablesReadError, e.what()))};
    }
    return {};
}

// The regulars under the folder lock, read as the tab reads them.
app::TablesService& OpenTablesForChange(Context& ctx) {
    LockDataFolder(ctx);
    app::TablesService& tables = ctx.Workspace().Tables();
    if (!tables.Load()) throw CliFailure{kExitDataError, ""};
    return tables;
}

// The same with the stakes and the archive a stake needs: the prize table,
// the stakes file as start-up opens it, the archive (whose loading checks
// the stakes that waited for their draws).
app::TablesService& OpenTablesForStakes(Context& ctx) {
    LockDataFolder(ctx);
    app::Workspace& ws = ctx.Workspace();
    ws.OpenSettingsAndRegistry();
    if (!ws.Stakes().Open()) throw CliFailure{kExitDataError, ""};
    if (!LoadArchive(ctx, false)) throw CliFailure{kExitDataError, ""};
    if (!ws.Tables().Load()) throw CliFailure{kExitDataError, ""};
    return ws.Tables();
}

// Rows "3" or "5-9" counted from 1 as the list shows them, as list indexes.
std::vector<std::size_t> ParseRows(const std::vector<std::string>& words, std::size_t count) {
    std::vector<std::size_t> rows;
    for (const std::int64_t i : ParseRowList(words, static_cast<std::int64_t>(count), texts::kCliTablesNoRow))
        rows.push_back(static_cast<std::size_t>(i));
    return rows;
}

std::string Numbers(const TStakeNumbers& n) {
    std::string out;
    for (int i = 0; i < n.Count; ++i) out += (i ? ";" : "") + std::to_string(n.Values[static_cast<std::size_t>(i)]);
    return out;
}

class TablesCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("tables", texts::kCliTablesCommand.Str());
        cmd->require_subcommand(1);
        auto sub = [cmd](const char* name, const i18n::TextId& about) {
            CLI::App* s = cmd->add_subcommand(name, about.Str());
            s->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
            return s;
        };
        list_ = sub("list", texts::kCliTablesListCommand);

        add_ = sub("add", texts::kCliTablesAddCommand);
        add_->add_option("--comment", comment_, texts::kCliTablesCommentOption.Str())->required();
        add_->add_option("--start", start_, texts::kCliTablesStartOption.Str());
        add_->add_flag("--last-draw", lastDraw_, texts::kCliTablesLastDrawOption.Str());
        add_->add_option("--step", step_, texts::kCliTablesStepOption.Str())
            ->check(IntRange(-TTableRec::kMaxStep, TTableRec::kMaxStep));

        delete_ = sub("delete", texts::kCliTablesDeleteCommand);
        delete_->add_option("ROW", rows_, texts::kCliTablesRowsArg.Str())->required();

        stake_ = sub("stake", texts::kCliTablesStakeCommand);
        stake_->add_option("ROW", row_, texts::kCliTablesRowArg.Str())->required()->check(IntRange(1, INT_MAX));
        stake_->add_option("--draws", draws_, texts::kCliStakeDrawsOption.Str())->check(IntRange(1, 65535));

        test_ = sub("test", texts::kCliTablesTestCommand);
        test_->add_option("ROW", rows_, texts::kCliTablesRowsArg.Str())->required();
        test_->add_option("--count", count_, texts::kCliTablesCountOption.Str())
            ->required()
            ->check(IntRange(1, INT_MAX));
        return cmd;
    }

    int Run(Context& ctx) override {
        if (list_->parsed()) return List(ctx);
        if (add_->parsed()) return Add(ctx);
        if (delete_->parsed()) return Delete(ctx);
        if (stake_->parsed()) return Stake(ctx);
        if (test_->parsed()) return Test(ctx);
        return kExitUsage;
    }

  private:
    int List(Context& ctx) {
        std::ostream& out = ctx.io.Out;
        out << texts::kCliTablesColumns.Str() << '\n';
        const std::vector<TTableRec> recs = ReadTables(ctx);
        for (std::size_t i = 0; i < recs.size(); ++i) {
            const TTableRec& r = recs[i];
            out << i + 1 << '\t' << OutputField(r.Comment()) << '\t' << TableCombinationText(r.Start) << '\t' << r.Step
                << '\t' << TableCombinationText(r.Current) << '\t' << r.Made << '\n';
        }
        return kExitOk;
    }

    int Add(Context& ctx) {
        if (start_.empty() == !lastDraw_) throw CliFailure{kExitUsage, texts::kCliTablesStartOrLastDraw.Str()};
        // What can be told from the options alone is a usage error.
        std::vector<app::TSelectedComb> selected;
        if (!lastDraw_) {
            const auto numbers = ParseStakeNumbers(start_);
            if (!numbers) throw CliFailure{kExitUsage, numbers.Error()};
            selected.push_back({1, *numbers});
        }
        if (auto ok = CheckStakeComment(comment_); !ok) throw CliFailure{kExitUsage, ok.Error()};
        const app::TTableDraft draft{comment_, lastDraw_, start_, step_};
        app::TablesService& tables = OpenTablesForChange(ctx);
        const std::size_t before = tables.Rows().size();
        if (!tables.Add(draft, selected)) return kExitDataError;
        ctx.io.Out << Format(texts::kCliTablesAdded, {tables.Rows().size() - before, tables.Rows().size()}) << '\n';
        return kExitOk;
    }

    int Delete(Context& ctx) {
        app::TablesService& tables = OpenTablesForChange(ctx);
        const std::size_t before = tables.Rows().size();
        if (!tables.Delete(ParseRows(rows_, before))) return kExitDataError;
        ctx.io.Out << Format(texts::kCliTablesDeleted, {before - tables.Rows().size()}) << '\n';
        return kExitOk;
    }

    int Stake(Context& ctx) {
        app::TablesService& tables = OpenTablesForStakes(ctx);
        const std::size_t row = ParseRows({std::to_string(row_)}, tables.Rows().size()).front();
        const auto made = tables.NextStake(row);
        if (!made || !tables.AddStake(*made, made->Stake, draws_)) return kExitDataError;
        ctx.io.Out << Format(texts::kCliTablesStaked, {made->Stake.Draw, Numbers(made->Stake.Stake)}) << '\n';
        return kExitOk;
    }

    int Test(Context& ctx) {
        app::TablesService& tables = OpenTablesForStakes(ctx);
        const std::vector<std::size_t> rows = ParseRows(rows_, tables.Rows().size());
        const std::int64_t before = ctx.Workspace().Stakes().File().Count();
        if (!tables.Test(rows, count_)) {
            if (gStopRequested) throw CliFailure{kExitDataError, texts::kOperationStopped.Str()};
            return kExitDataError;
        }
        const std::int64_t after = ctx.Workspace().Stakes().File().Count();
        ctx.io.Out << Format(texts::kCliTablesTested, {after - before, after}) << '\n';
        return kExitOk;
    }

    CLI::App* list_ = nullptr;
    CLI::App* add_ = nullptr;
    CLI::App* delete_ = nullptr;
    CLI::App* stake_ = nullptr;
    CLI::App* test_ = nullptr;

    std::string comment_;
    std::string start_;
    bool lastDraw_ = false;
    int step_ = 1;
    std::vector<std::string> rows_;
    int row_ = 0;
    int draws_ = 1;
    int count_ = 0;
};

}  // namespace

std::unique_ptr<Command> MakeTablesCommand() { return std::make_unique<TablesCommand>(); }

}  // namespace corvel::cli
