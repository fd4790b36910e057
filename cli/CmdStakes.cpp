// corvel stakes ...: the operations of the stakes tab. The commands that
// change the stakes file take the folder lock first and open the file as the
// desktop program does at start-up (a damaged end is cut off after a copy is
// saved); every change goes through the stakes service, so the same checks,
// the same crash-safe rewrites and the same checking after a change apply.
// Listing and the summary only read the file, as it is, without the lock.
#include <climits>
#include <cstdlib>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/SeededRandom.h"
#include "ratings/RatingGraphs.h"
#include "model/TextUtil.h"
#include "stakes/StakeInput.h"
#include "stakes/StakeLogs.h"
#include "stakes/StakeSummary.h"

namespace corvel::cli {
namespace {

// More records than this are written only when --yes confirms the size.
constexpr std::int64_t kConfirmRecords = 1'000'000;

std::string Join(const std::uint8_t* values, int count, const char* separator) {
    std::string out;
    for (int i = 0; i < count; ++i) out += (i ? separator : "") + std::to_string(values[i]);
    return out;
}

// A record, the text of its kind and of its numbers, or the damage found.
void PrintRecord(std::ostream& out, std::int64_t row, const TStakeRec& rec) {
    out << row;
    if (const std::string damage = StakeDamage(rec); !damage.empty()) {
        out << '\t' << Format(texts::kCliStakeDamagedRow, {damage}) << "\t\t\t\t\t\t\t\t\n";
        return;
    }
    if (rec.IsSeparator()) {
        out << "\t\t\t\t\t\t\t\t\t\n";
        return;
    }
    out << '\t' << StakeKindText(rec.Kind) << '\t' << rec.Draw << '\t' << (rec.Checked ? 1 : 0) << '\t'
        << Join(rec.Stake.Values.data(), rec.Stake.Count, ";") << '\t';
    if (rec.Checked)
        out << Join(rec.Result.data(), kNumbersPerDraw, ";") << '\t' << rec.Hits.Count << '\t'
            << Join(rec.Hits.Values.data(), rec.Hits.Count, " ");
    else
        out << "\t\t";
    out << '\t' << Format("%.2f", {rec.Profit.ToDouble()}) << '\t' << OutputField(rec.Comment()) << '\n';
}

// --where "hits>=3": the operator and the match count 0..6.
std::pair<TStakeCondition, int> ParseWhere(const std::string& text) {
    std::string_view t = Trim(text);
    const std::string_view name = "hits";
    if (t.substr(0, name.size()) == name) t = Trim(t.substr(name.size()));
    struct Op {
        std::string_view Text;
        TStakeCondition Condition;
    };
    // Two-character operators first, so ">=" is not read as ">".
    for (const Op& op :
         {Op{">=", TStakeCondition::AtLeast}, Op{"<=", TStakeCondition::AtMost}, Op{"==", TStakeCondition::Equal},
          Op{"=", TStakeCondition::Equal}, Op{">", TStakeCondition::Greater}, Op{"<", TStakeCondition::Less}}) {
        if (t.substr(0, op.Text.size()) != op.Text) continue;
        const auto value = ToInt64(Trim(t.substr(op.Text.size())));
        if (!value || *value < 0 || *value > kNumbersPerDraw) break;
        return {op.Condition, static_cast<int>(*value)};
    }
    throw CliFailure{kExitUsage, Format(texts::kCliStakesBadWhere, {text})};
}

void RequireComment(const std::string& comment) {
    if (auto ok = CheckStakeComment(comment); !ok) throw CliFailure{kExitUsage, ok.Error()};
}

class StakesCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("stakes", texts::kCliStakesCommand.Str());
        cmd->require_subcommand(1);
        auto sub = [cmd](const char* name, const i18n::TextId& about) {
            CLI::App* s = cmd->add_subcommand(name, about.Str());
            s->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
            return s;
        };
        auto drawArg = [](CLI::App* s, int& draw) {
            s->add_option("DRAW", draw, texts::kCliDrawNumberArg.Str())->required()->check(IntRange(1, INT_MAX));
        };
        auto drawsOption = [this](CLI::App* s) {
            s->add_option("--draws", draws_, texts::kCliStakeDrawsOption.Str())->check(IntRange(1, 65535));
        };
        auto commentOption = [this](CLI::App* s) {
            s->add_option("--comment", comment_, texts::kCliStakeCommentOption.Str());
        };

        list_ = sub("list", texts::kCliStakesListCommand);
        list_->add_option("--draw", listDraw_, texts::kCliStakesDrawOption.Str())->check(IntRange(1, INT_MAX));
        list_->add_flag("--unchecked", unchecked_, texts::kCliStakesUncheckedOption.Str());

        add_ = sub("add", texts::kCliStakesAddCommand);
        drawArg(add_, draw_);
        add_->add_option("NUMBERS", numbers_, texts::kCliStakeNumbersArg.Str())->required();
        drawsOption(add_);
        commentOption(add_);

        addRandom_ = sub("add-random", texts::kCliStakesAddRandomCommand);
        drawArg(addRandom_, draw_);
        addRandom_->add_option("--count", count_, texts::kCliStakesCountOption.Str())->check(IntRange(1, 1'000'000));
        addRandom_->add_option("--seed", seed_, texts::kCliStakesSeedOption.Str());
        addRandom_->add_option("--from", from_, texts::kCliFilterFromOption.Str());
        drawsOption(addRandom_);
        commentOption(addRandom_);

        addList_ = sub("add-list", texts::kCliStakesAddListCommand);
        drawArg(addList_, draw_);
        addList_->add_option("--from", from_, texts::kCliFilterFromOption.Str());
        addList_->add_flag("--yes", yes_, texts::kCliStakesYesOption.Str());
        drawsOption(addList_);
        commentOption(addList_);

        delete_ = sub("delete", texts::kCliStakesDeleteCommand);
        delete_->add_option("ROW", rows_, texts::kCliStakesRowsArg.Str());
        delete_->add_option("--where", where_, texts::kCliStakesWhereOption.Str());

        clear_ = sub("clear", texts::kCliStakesClearCommand);
        check_ = sub("check", texts::kCliStakesCheckCommand);
        summary_ = sub("summary", texts::kCliStakesSummaryCommand);
        deleteLogs_ = sub("delete-logs", texts::kCliStakesDeleteLogsCommand);
        graph_ = sub("graph", texts::kCliStakesGraphCommand);
        return cmd;
    }

    int Run(Context& ctx) override {
        if (list_->parsed()) return List(ctx);
        if (summary_->parsed()) return Summary(ctx);
        if (graph_->parsed()) return Graph(ctx);
        if (add_->parsed()) return Add(ctx);
        if (addRandom_->parsed()) return AddRandom(ctx);
        if (addList_->parsed()) return AddList(ctx);
        if (delete_->parsed()) return Delete(ctx);
        if (clear_->parsed()) return Changed(OpenStakesForChange(ctx).Clear());
        if (deleteLogs_->parsed()) {
            LockDataFolder(ctx);
            const TStakeLogsDeletion result = DeleteStakeLogs(ctx.Files.Folder);
            if (result.Found == 0) throw CliFailure{kExitDataError, texts::kStakeLogsNotFound.Str()};
            (result.Errors.empty() ? ctx.io.Out : ctx.io.Err) << TerminalText(StakeLogsDeletionText(result)) << '\n';
            return result.Errors.empty() ? kExitOk : kExitDataError;
        }
        if (check_->parsed()) {
            const std::int64_t checked = OpenStakesForChange(ctx).Check();
            if (checked < 0) return kExitDataError;
            ctx.io.Out << Format(texts::kCliStakesChecked, {checked}) << '\n';
            return kExitOk;
        }
        return kExitUsage;
    }

  private:
    static int Changed(bool ok) { return ok ? kExitOk : kExitDataError; }

    int List(Context& ctx) {
        TStakesFile file(ctx.Files.Stakes());
        OpenStakesForReading(ctx, file);
        std::ostream& out = ctx.io.Out;
        out << texts::kCliStakesColumns.Str() << '\n';
        const bool filtered = listDraw_ > 0 || unchecked_;
        const std::int64_t count = file.Count();
        constexpr std::size_t kChunk = 4096;
        std::vector<TStakeRec> chunk(kChunk);
        for (std::int64_t at = 0; at < count;) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunk));
            file.ReadRange(at, std::span(chunk).first(n));
            for (std::size_t i = 0; i < n; ++i) {
                const TStakeRec& rec = chunk[i];
                if (filtered &&
                    (rec.IsSeparator() || (listDraw_ > 0 && rec.Draw != listDraw_) || (unchecked_ && rec.Checked)))
                    continue;
                PrintRecord(out, at + static_cast<std::int64_t>(i) + 1, rec);
            }
            at += static_cast<std::int64_t>(n);
        }
        return kExitOk;
    }

    int Summary(Context& ctx) {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        TStakesFile file(ctx.Files.Stakes());
        OpenStakesForReading(ctx, file);
        for (const auto& [label, value] :
             StakesSummaryRows(SummarizeStakes(file, ws.Statistics().Registry().Settings.Config)))
            ctx.io.Out << label << '\t' << value << '\n';
        return kExitOk;
    }

    // Every series is money: the profit per draw, its mean and its running total.
    int Graph(Context& ctx) {
        TStakesFile file(ctx.Files.Stakes());
        OpenStakesForReading(ctx, file);
        const TGraph graph = BuildGraph([&] { return DrawProfitsGraph(file); });
        PrintGraph(ctx.io.Out, graph, [](std::size_t, double y) { return MoneyText(y); });
        return kExitOk;
    }

    int Add(Context& ctx) {
        const auto numbers = ParseStakeNumbers(numbers_);
        if (!numbers) throw CliFailure{kExitUsage, numbers.Error()};
        RequireComment(comment_);
        app::StakesService& stakes = OpenStakesForChange(ctx);
        TStakeRec rec = stakes.NewStake(*numbers, 0);
        rec.Draw = draw_;
        rec.SetComment(comment_);
        return Added(ctx, stakes, [&] { return stakes.Add(rec, draws_); });
    }

    int AddRandom(Context& ctx) {
        RequireComment(comment_);
        app::StakesService& stakes = OpenStakesForChange(ctx);
        const TCombsArray& list = LoadCombinationList(ctx, from_);
        if (list.Empty()) throw CliFailure{kExitDataError, texts::kCliStakesEmptyList.Str()};
        TSeededRandom random(seed_ ? *seed_ : TSeededRandom::FreshSeed());
        ctx.io.Out << Format(texts::kCliStakesSeedLine, {std::to_string(random.Seed())}) << '\n';
        std::vector<TStakeRec> recs;
        for (int i = 0; i < count_; ++i) {
            TStakeRec rec = stakes.NewStake(list[random.Below(list.Count())], static_cast<std::int32_t>(list.Count()));
            rec.Draw = draw_;
            rec.SetComment(comment_);
            recs.push_back(rec);
        }
        return Added(ctx, stakes, [&] { return stakes.Add(recs, draws_); });
    }

    int AddList(Context& ctx) {
        RequireComment(comment_);
        app::StakesService& stakes = OpenStakesForChange(ctx);
        const TCombsArray& list = LoadCombinationList(ctx, from_);
        if (list.Empty()) throw CliFailure{kExitDataError, texts::kCliStakesEmptyList.Str()};
        // Every stake for every draw, and a separator before each copy of a series.
        const std::int64_t records =
            static_cast<std::int64_t>(list.Count()) * (draws_ < 2 ? 1 : 2 * static_cast<std::int64_t>(draws_));
        if (records > kConfirmRecords && !yes_)
            throw CliFailure{
                kExitDataError,
                Format(texts::kCliStakesConfirmSize,
                       {records, ByteSizeText(static_cast<std::uint64_t>(records) * TStakeRec::kFileSize)})};
        TStakeRec base = stakes.NewStake(list[0], static_cast<std::int32_t>(list.Count()));
        base.Draw = draw_;
        base.SetComment(comment_);
        return Added(ctx, stakes, [&] {
            return stakes.AddGenerated(
                static_cast<std::int64_t>(list.Count()),
                [&](std::int64_t i) {
                    TStakeRec rec = base;
                    const TCombination& c = list[static_cast<std::size_t>(i)];
                    TCombination sorted = c;
                    std::sort(sorted.begin(), sorted.end());
                    std::copy(sorted.begin(), sorted.end(), rec.Stake.Values.begin());
                    return rec;
                },
                draws_);
        });
    }

    template <class Append>
    int Added(Context& ctx, app::StakesService& stakes, Append append) {
        const std::int64_t before = stakes.File().Count();
        const bool ok = append();
        if (!ok) {
            if (gStopRequested) throw CliFailure{kExitDataError, texts::kOperationStopped.Str()};
            return kExitDataError;
        }
        ctx.io.Out << Format(texts::kCliStakesAdded, {stakes.File().Count() - before, stakes.File().Count()}) << '\n';
        return kExitOk;
    }

    int Delete(Context& ctx) {
        if (rows_.empty() == where_.empty()) throw CliFailure{kExitUsage, texts::kCliStakesRowsOrWhere.Str()};
        std::optional<std::pair<TStakeCondition, int>> condition;
        if (!where_.empty()) condition = ParseWhere(where_);
        app::StakesService& stakes = OpenStakesForChange(ctx);
        const std::int64_t before = stakes.File().Count();
        bool ok;
        if (condition) {
            ok = stakes.DeleteByCondition(condition->first, condition->second);
        } else {
            ok = stakes.DeleteRecords(ParseRowList(rows_, before, texts::kCliStakesNoRow));
        }
        if (!ok) return kExitDataError;
        ctx.io.Out << Format(texts::kCliStakesDeleted, {before - stakes.File().Count()}) << '\n';
        return kExitOk;
    }

    CLI::App* list_ = nullptr;
    CLI::App* add_ = nullptr;
    CLI::App* addRandom_ = nullptr;
    CLI::App* addList_ = nullptr;
    CLI::App* delete_ = nullptr;
    CLI::App* clear_ = nullptr;
    CLI::App* check_ = nullptr;
    CLI::App* summary_ = nullptr;
    CLI::App* deleteLogs_ = nullptr;
    CLI::App* graph_ = nullptr;

    int listDraw_ = 0;
    bool unchecked_ = false;
    int draw_ = 0;
    std::string numbers_;
    int draws_ = 1;
    std::string comment_ = texts::kStakeManualComment.Str();
    int count_ = 1;
    std::optional<std::uint64_t> seed_;
    std::string from_;
    bool yes_ = false;
    std::vector<std::string> rows_;
    std::string where_;
};

}  // namespace

std::unique_ptr<Command> MakeStakesCommand() { return std::make_unique<StakesCommand>(); }

}  // namespace corvel::cli
