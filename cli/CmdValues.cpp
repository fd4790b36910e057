// corvel values: the accumulated values of one method over a window of draws.
#include <ostream>

#include "CliCommon.h"
#include "stats/StatCompute.h"

namespace corvel::cli {
namespace {

class ValuesCommand : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("values", "Значения метода статистики за последние N тиражей");
        cmd->add_option("CODE", code_, "Код метода (например NUMS, POS3)")->required();
        AddDrawWindowOptions(cmd, &window_, offset_, sorted_);
        return cmd;
    }

    int Run(Context& ctx) override {
        const TDrawsArray draws = LoadArchive(ctx, false);
        TStatList list;
        PrepareRegistry(ctx, list, draws);
        const int method = RequireMethod(list, code_);
        RequireOffsetInArchive(offset_, draws.size());

        auto stat = list.CreateStat(method);
        TStatDrawArray values = ComputeWindowValues(*stat, MakeStatWindow(draws.size(), offset_, window_), sorted_);
        SortStatValues(values);

        std::ostream& out = ctx.io.Out;
        out << "value\tcount\tdepth\tlast_draw\tmin_interval\tmax_interval\n";
        for (const auto& v : values)
            out << stat->ValueToText(v) << '\t' << v.Count << '\t' << v.Depth << '\t' << v.LastDraw << '\t'
                << v.MinInterval << '\t' << v.MaxInterval << '\n';
        return kExitOk;
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
