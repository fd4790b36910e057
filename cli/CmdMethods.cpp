// corvel methods: every registered statistic method in registration order.
#include <ostream>

#include "CliCommon.h"
#include "stats/StatList.h"

namespace corvel::cli {
namespace {

class MethodsCommand : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        return parent.add_subcommand("methods", "Список методов расчета статистики");
    }

    int Run(Context& ctx) override {
        TDrawsArray draws;
        TStatList list;
        PrepareRegistry(ctx, list, draws);
        for (int i = 0; i < list.Count(); ++i) {
            const TStatMethod& m = list.Item(i);
            ctx.io.Out << m.Code() << '\t' << OutputField(list.GetMethodText(i, true)) << '\t'
                       << FlagLetters(m.StatClass->AllFlags()) << '\n';
        }
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeMethodsCommand() { return std::make_unique<MethodsCommand>(); }

}  // namespace corvel::cli
