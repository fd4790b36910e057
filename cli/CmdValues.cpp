// corvel values: the accumulated values of one method over a window of draws.
#include <ostream>

#include "CliCommon.h"
#include "i18n/Texts.h"
#include "stats/StatCompute.h"

namespace corvel::cli {
namespace {

class ValuesCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("values", texts::kCliValuesCommand.Str());
        cmd->add_option("CODE", code_, texts::kCliMethodCodeArg.Str())->required();
        AddDrawWindowOptions(cmd, &window_, offset_, sorted_);
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const bool read = LoadArchive(ctx, false);
        const int method = RequireMethod(ws.Statistics().Registry(), code_);
        RequireOffsetInArchive(offset_, ws.Archive().Draws().size());
        ws.Archive().SetOffset(offset_);
        ws.Archive().SetSorted(sorted_);

        auto stat = ws.Statistics().Registry().CreateStat(method);
        const TStatDrawArray values = ws.Statistics().WindowValues(*stat, window_);

        std::ostream& out = ctx.io.Out;
        out << "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n";
        for (const auto& v : values)
            out << stat->ValueToText(v) << '\t' << v.Count << '\t' << v.Depth << '\t' << v.LastDraw << '\t'
                << v.MinInterval << '\t' << v.MaxInterval << '\n';
        return read ? kExitOk : kExitDataError;
    }

  private:
    std::string code_;
    int window_ = 1000;
    int offset_ = 0;
    bool sorted_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeValuesCommand() { return std::make_unique<ValuesCommand>(); }

}  // namespace corvel::cli
