// corvel graph: the series of the graphs tab for one method, draw by draw,
// then the mean and the value met most often.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/StatGraph.h"

namespace corvel::cli {
namespace {

class GraphCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("graph", texts::kCliGraphCommand.Str());
        cmd->add_option("CODE", code_, texts::kCliMethodCodeArg.Str())->required();
        cmd->add_option("--length", length_, texts::kCliGraphLengthOption.Str())->check(IntRange(1, INT_MAX));
        AddDrawWindowOptions(cmd, nullptr, offset_, sorted_);
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const bool read = LoadArchive(ctx, false);
        const TStatList& list = ws.Statistics().Registry();
        const int method = RequireMethod(list, code_);
        if (!list.Item(method).StatClass->Graph)
            throw CliFailure{kExitUsage, Format(texts::kCliNotAGraphMethod, {code_})};
        RequireOffsetInArchive(offset_, ws.Archive().Draws().size());
        auto stat = list.CreateStat(method);
        const TStatGraph graph = ComputeStatGraph(*stat, ws.Archive().Draws(), length_, offset_, sorted_);
        std::ostream& out = ctx.io.Out;
        out << texts::kCliGraphColumns.Str() << '\n';
        for (const TGraphPoint& p : graph.Points) out << p.Draw << '\t' << p.Value << '\n';
        if (!graph.Points.empty()) {
            out << texts::kGraphMeanSeries.Str() << '\t' << Format("%.3f", {graph.Mean}) << '\n';
            out << texts::kGraphMostFrequentSeries.Str() << '\t' << graph.MostFrequent << '\n';
        }
        return read ? kExitOk : kExitDataError;
    }

  private:
    std::string code_;
    int length_ = 100;
    int offset_ = 0;
    bool sorted_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeGraphCommand() { return std::make_unique<GraphCommand>(); }

}  // namespace corvel::cli
