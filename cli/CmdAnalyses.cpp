// corvel repeats | sum-distribution | details: the analyses of the main
// window's menus, printed as their dialogs show them.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "stakes/StakeInput.h"
#include "views/Details.h"
#include "views/RepeatsAnalysis.h"
#include "views/SumDistribution.h"

namespace corvel::cli {
namespace {

// Progress of the repeats analysis on stderr, once per hundred draws, and
// the stop asked for with Ctrl+C.
class RepeatsProgress final : public TProgress {
  public:
    explicit RepeatsProgress(std::ostream& err) : err_(err) {}
    void Status(std::string_view) override {}
    void Step(int steps) override {
        done_ += steps;
        if (done_ % 100 == 0) err_ << texts::kRepeatsCollecting.Str() << ' ' << done_ << '\n';
    }
    bool StopRequested() const override { return gStopRequested; }

  private:
    std::ostream& err_;
    int done_ = 0;
};

class RepeatsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("repeats", texts::kCliRepeatsCommand.Str());
        cmd->add_option("--length", length_, texts::kCliRepeatsLengthOption.Str())->check(IntRange(1, INT_MAX));
        cmd->add_option("--depth", depth_, texts::kCliRepeatsDepthOption.Str())->check(IntRange(1, INT_MAX));
        return cmd;
    }
    int Run(Context& ctx) override {
        const bool read = LoadArchive(ctx, false);
        RepeatsProgress progress(ctx.io.Err);
        const TRepeatsAnalysis analysis = AnalyzeRepeats(ctx.Workspace().Archive().Draws(), length_, depth_, progress);
        if (gStopRequested) throw CliFailure{kExitDataError, texts::kOperationStopped.Str()};
        ctx.io.Out << texts::kCliRepeatsColumns.Str() << '\n';
        for (const TRepeatRow& row : analysis.Rows)
            ctx.io.Out << row.Draw << '\t' << row.Matches << '\t' << row.Repeats << '\t' << RepeatDrawsText(row)
                       << '\n';
        return read ? kExitOk : kExitDataError;
    }

  private:
    int length_ = 100;
    int depth_ = 100;
};

class SumDistributionCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        return parent.add_subcommand("sum-distribution", texts::kCliSumDistributionCommand.Str());
    }
    int Run(Context& ctx) override {
        const bool read = LoadArchive(ctx, false);
        const TSumDistribution d = ComputeSumDistribution(ctx.Workspace().Archive().Draws());
        std::ostream& out = ctx.io.Out;
        out << texts::kCliSumDistributionColumns.Str() << '\n';
        std::size_t drawn = 0;
        for (const TSumCount& c : d.Combinations) {
            while (drawn < d.Draws.size() && d.Draws[drawn].Sum < c.Sum) ++drawn;
            const std::int64_t draws = drawn < d.Draws.size() && d.Draws[drawn].Sum == c.Sum ? d.Draws[drawn].Count : 0;
            out << c.Sum << '\t' << c.Count << '\t' << draws << '\n';
        }
        const char* fractions[3] = {"1/3", "1/2", "2/3"};
        for (std::size_t b = 0; b < d.Bands.size(); ++b)
            out << Format(texts::kSumDistributionBand,
                          {static_cast<int>(b + 1), fractions[b], d.Bands[b].Lower, d.Bands[b].Upper})
                << '\t' << d.Bands[b].Threshold << '\n';
        return read ? kExitOk : kExitDataError;
    }
};

class DetailsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("details", texts::kCliDetailsCommand.Str());
        cmd->add_option("DRAW", draw_, texts::kCliDrawNumberArg.Str())->check(IntRange(1, INT_MAX));
        cmd->add_option("--combination", combination_, texts::kCliDetailsCombinationOption.Str());
        AddDrawWindowOptions(cmd, nullptr, offset_, sorted_);
        return cmd;
    }
    int Run(Context& ctx) override {
        if (draw_.has_value() == combination_.has_value())
            throw CliFailure{kExitUsage, texts::kCliDetailsDrawOrCombination.Str()};
        std::optional<TCombination> comb;
        if (combination_) {
            auto parsed = ParseStakeNumbers(*combination_);
            if (!parsed) throw CliFailure{kExitUsage, parsed.Error()};
            comb = *parsed;
        }
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const bool read = LoadArchive(ctx, false);
        const TDrawsArray& draws = ws.Archive().Draws();
        const TStatList& list = ws.Statistics().Registry();
        std::vector<TDetailRow> rows;
        if (comb) {
            RequireOffsetInArchive(offset_, draws.size());
            rows = CombinationDetails(list, draws, *comb, offset_, sorted_);
        } else {
            const int index = FindDrawIndex(draws, *draw_);
            if (index < 0) throw CliFailure{kExitDataError, Format(texts::kDrawNumberNotFound, {*draw_})};
            rows = DrawDetails(list, draws, index, sorted_);
        }
        ctx.io.Out << texts::kCliDetailsColumns.Str() << '\n';
        for (const TDetailRow& row : rows) ctx.io.Out << row.Property << '\t' << OutputField(row.Value) << '\n';
        return read ? kExitOk : kExitDataError;
    }

  private:
    std::optional<int> draw_;
    std::optional<std::string> combination_;
    int offset_ = 0;
    bool sorted_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeRepeatsCommand() { return std::make_unique<RepeatsCommand>(); }
std::unique_ptr<Command> MakeSumDistributionCommand() { return std::make_unique<SumDistributionCommand>(); }
std::unique_ptr<Command> MakeDetailsCommand() { return std::make_unique<DetailsCommand>(); }

}  // namespace corvel::cli
