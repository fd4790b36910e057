#include "Cli.h"

#include <algorithm>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel::cli {

int RunCli(const std::vector<std::string>& args, Io& io) {
    CLI::App parser{texts::kCliAbout.Str(), "corvel"};
    parser.require_subcommand(1);
    parser.set_help_flag("-h,--help", texts::kCliHelpOption.Str());
    std::string dataDir;
    CLI::Option* dataDirOption = parser.add_option("--data-dir", dataDir, texts::kCliDataDirOption.Str());
    int lockWait = kDefaultLockWaitSeconds;
    parser.add_option("--lock-wait", lockWait, Format(texts::kCliLockWaitOption, {kDefaultLockWaitSeconds}))
        ->check(IntRange(0, 3600));

    std::vector<std::unique_ptr<Command>> commands;
    for (auto make :
         {MakeDrawsCommand,  MakeAddDrawCommand, MakeEditDrawCommand,        MakeDeleteDrawCommand, MakeMethodsCommand,
          MakeValuesCommand, MakeStatsCommand,   MakePrefetchCommand,        MakeGenerateCommand,   MakeFilterCommand,
          MakeStakesCommand, MakeScriptCommand,  MakeRatingsCommand,         MakeGraphCommand,      MakeSystemsCommand,
          MakeTablesCommand, MakeRepeatsCommand, MakeSumDistributionCommand, MakeDetailsCommand,    MakeCardCommand,
          MakeLayoutCommand})
        commands.push_back(make());
    std::vector<std::pair<CLI::App*, Command*>> registered;
    for (auto& c : commands) {
        CLI::App* sub = c->Register(parser);
        sub->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        registered.emplace_back(sub, c.get());
    }
    UseRussianHelp(parser);

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them back to front
        parser.parse(reversed);
    } catch (const CLI::CallForHelp& e) {
        return parser.exit(e, io.Out, io.Err);
    } catch (const CLI::CallForAllHelp& e) {
        return parser.exit(e, io.Out, io.Err);
    } catch (const CLI::ParseError& e) {
        std::string text = ParseErrorText(e);
        const std::vector<std::string> rest = parser.remaining();
        if (parser.get_subcommands().empty() && !rest.empty()) text = Format(texts::kCliUnknownCommand, {rest.front()});
        io.Err << Format(texts::kCliCommandLineError, {text}) << '\n' << texts::kCliHelpHint.Str() << '\n';
        return kExitUsage;
    }

    std::optional<std::filesystem::path> switchValue;
    if (dataDirOption->count() > 0) {
        if (dataDir.empty()) {
            io.Err << Format(texts::kCliCommandLineError, {texts::kCliNoDataDirName}) << '\n';
            return kExitUsage;
        }
        switchValue = dataDir;
    }
    Context ctx{io, app::DataFiles{app::ResolveDataFolder(switchValue, io.ProgramFolder)},
                std::chrono::seconds(lockWait)};

    for (auto& [sub, command] : registered) {
        if (!sub->parsed()) continue;
        try {
            return command->Run(ctx);
        } catch (const CliFailure& f) {
            // An empty message: the failure was reported where it happened.
            if (!f.Message.empty()) io.Err << f.Message << '\n';
            return f.ExitCode;
        } catch (const ECorvelError& e) {
            io.Err << TerminalText(e.what()) << '\n';
            return kExitDataError;
        }
    }
    return kExitUsage;
}

}  // namespace corvel::cli
