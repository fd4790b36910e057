// corvel methods: every registered statistic method in registration order.
#include <ostream>

#include "CliCommon.h"
#include "i18n/Texts.h"
#include "stats/StatList.h"

namespace corvel::cli {
namespace {

class MethodsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        return parent.add_subcommand("methods", texts::kCliMethodsCommand.Str());
    }

    int Run(Context& ctx) override {
        // The registry as the desktop program builds it: with the settings
        // that decide the parameter ranges and the user's captions.
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const TStatList& list = ws.Statistics().Registry();
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
