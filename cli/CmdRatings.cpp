// corvel ratings [export | rebuild | to-script | graph]: the ratings tab. The table
// and its exports read the ratings file as it is; only the rebuild changes it,
// under the folder lock, and only when --yes confirms that the data of
// deleted stakes may go.
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "ratings/RatingGraphs.h"
#include "ratings/RatingsTable.h"
#include "scenarios/ScriptList.h"

namespace corvel::cli {
namespace {

TRatingsTable ReadRatings(Context& ctx) {
    TRatingsTable table;
    const std::filesystem::path file = ctx.Files.Ratings();
    try {
        if (std::filesystem::exists(file)) table.Load(file);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(ErrorReport(texts::kRatingsReadError, e.what()))};
    }
    return table;
}

class RatingsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("ratings", texts::kCliRatingsCommand.Str());
        cmd->require_subcommand(0, 1);
        cmd->add_option("--mode", mode_, texts::kCliRatingsModeOption.Str())->check(IntRange(0, 2));
        cmd->add_option("--sort", sort_, texts::kCliRatingsSortOption.Str())->check(IntRange(0, kRatingColumns - 1));
        cmd->add_flag("--desc", desc_, texts::kCliStatsDescOption.Str());
        auto sub = [cmd](const char* name, const i18n::TextId& about) {
            CLI::App* s = cmd->add_subcommand(name, about.Str());
            s->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
            return s;
        };
        export_ = sub("export", texts::kCliRatingsExportCommand);
        export_->add_option("FILE", file_, texts::kCliRatingsCsvArg.Str())->required();
        rebuild_ = sub("rebuild", texts::kCliRatingsRebuildCommand);
        rebuild_->add_flag("--yes", yes_, texts::kCliRatingsYesOption.Str());
        toScript_ = sub("to-script", texts::kCliRatingsToScriptCommand);
        toScript_->add_option("ROW", rows_, texts::kCliRatingsRowsArg.Str())->required()->check(IntRange(1, INT32_MAX));
        toScript_->add_option("-o", file_, texts::kCliScriptFileArg.Str())->required();
        graph_ = sub("graph", texts::kCliRatingsGraphCommand);
        graph_->require_subcommand(1);
        auto graphOf = [this](const char* name, const i18n::TextId& about) {
            CLI::App* s = graph_->add_subcommand(name, about.Str());
            s->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
            s->add_option("ROW", rows_, texts::kCliRatingsRowsArg.Str())->required()->check(IntRange(1, INT32_MAX));
            return s;
        };
        overlap_ = graphOf("overlap", texts::kGraphStakeHitsCaption);
        profits_ = graphOf("profits", texts::kGraphStakeProfitsCaption);
        matches_ = graphOf("matches", texts::kGraphMatchCountsCaption);
        return cmd;
    }

    int Run(Context& ctx) override {
        if (rebuild_->parsed()) return Rebuild(ctx);
        TRatingsTable table = ReadRatings(ctx);
        if (export_->parsed()) {
            try {
                WriteFileAtomically(file_, table.CsvText());
            } catch (const ECorvelError& e) {
                throw CliFailure{kExitDataError,
                                 TerminalText(ErrorReport(Format(texts::kScriptFileWriteError, {file_}), e.what()))};
            }
            return kExitOk;
        }
        if (toScript_->parsed()) return ToScript(ctx, table);
        if (graph_->parsed()) return Graph(ctx, table);
        if (sort_ >= 0) table.Sort(sort_, desc_);
        std::ostream& out = ctx.io.Out;
        for (int c = 0; c < kRatingColumns; ++c) out << (c ? "\t" : "") << RatingColumnCaption(c);
        out << '\n';
        for (std::size_t r = 0; r < table.Count(); ++r) {
            for (int c = 0; c < kRatingColumns; ++c)
                out << (c ? "\t" : "") << OutputField(table.CellText(r, c, static_cast<TEfficiencyMode>(mode_)));
            out << '\n';
        }
        return kExitOk;
    }

  private:
    int Rebuild(Context& ctx) {
        LockDataFolder(ctx);
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        if (!ws.Stakes().Open()) throw CliFailure{kExitDataError, ""};
        ws.Ratings().Load();
        if (!ws.Ratings().Table().Empty() && !yes_)
            throw CliFailure{kExitDataError, TerminalText(texts::kRatingsRebuildQuestion.Str() + "\r\r" +
                                                          texts::kCliRatingsConfirm.Str())};
        if (!ws.Ratings().Rebuild(ws.Stakes())) return kExitDataError;
        ctx.io.Out << Format(texts::kCliRatingsRows, {static_cast<std::int64_t>(ws.Ratings().Table().Count())}) << '\n';
        return kExitOk;
    }

    int ToScript(Context& ctx, const TRatingsTable& table) {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        // Every row is turned into a line before the file is touched: all or nothing.
        std::vector<std::string> lines;
        for (int row : rows_) {
            if (static_cast<std::size_t>(row) > table.Count())
                throw CliFailure{kExitDataError, Format(texts::kCliStakesNoRow, {row, table.Count()})};
            auto line = RatingToScriptLine(table.Rows()[static_cast<std::size_t>(row - 1)].Comment(),
                                           ws.Statistics().Registry());
            if (!line) throw CliFailure{kExitDataError, TerminalText(line.Error())};
            lines.push_back(*line);
        }
        TScriptList list;
        try {
            if (std::filesystem::exists(file_)) list.Load(file_);
            for (std::string& l : lines) list.Add(l);
            list.Save(file_);
        } catch (const ECorvelError& e) {
            throw CliFailure{kExitDataError,
                             TerminalText(ErrorReport(Format(texts::kScriptFileWriteError, {file_}), e.what()))};
        }
        for (const std::string& l : lines) ctx.io.Out << OutputField(l) << '\n';
        return kExitOk;
    }

    // The rows' graph: the stakes' matches (integers) or profits (money), or
    // their stakes by match count after the normal values (three decimals).
    int Graph(Context& ctx, const TRatingsTable& table) {
        std::vector<TRatingRec> rows;
        for (int row : rows_) {
            if (static_cast<std::size_t>(row) > table.Count())
                throw CliFailure{kExitDataError, Format(texts::kCliRatingsNoRow, {row, table.Count()})};
            rows.push_back(table.Rows()[static_cast<std::size_t>(row - 1)]);
        }
        std::ostream& out = ctx.io.Out;
        if (matches_->parsed()) {
            PrintGraph(out, MatchCountsGraph(rows),
                       [](std::size_t series, double y) { return series == 0 ? Format("%.3f", {y}) : IntegerText(y); });
            return kExitOk;
        }
        TStakesFile file(ctx.Files.Stakes());
        OpenStakesForReading(ctx, file);
        const bool hits = overlap_->parsed();
        const TGraph graph = BuildGraph(
            [&] { return StakesOfRowsGraph(file, rows, hits ? TStakeGraphValue::Hits : TStakeGraphValue::Profit); });
        PrintGraph(out, graph, [hits](std::size_t, double y) { return hits ? IntegerText(y) : MoneyText(y); });
        return kExitOk;
    }

    CLI::App* export_ = nullptr;
    CLI::App* graph_ = nullptr;
    CLI::App* overlap_ = nullptr;
    CLI::App* profits_ = nullptr;
    CLI::App* matches_ = nullptr;
    CLI::App* rebuild_ = nullptr;
    CLI::App* toScript_ = nullptr;
    int mode_ = 1;
    int sort_ = -1;
    bool desc_ = false;
    bool yes_ = false;
    std::string file_;
    std::vector<int> rows_;
};

}  // namespace

std::unique_ptr<Command> MakeRatingsCommand() { return std::make_unique<RatingsCommand>(); }

}  // namespace corvel::cli
