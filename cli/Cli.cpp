#include "Cli.h"

#include <algorithm>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "model/Errors.h"

namespace corvel::cli {

int RunCli(const std::vector<std::string>& args, Io& io) {
    CLI::App parser{"Анализатор лотереи \"Corvel Lotto 6x48\": работа с архивом тиражей и статистикой", "corvel"};
    parser.require_subcommand(1);
    parser.set_help_flag("-h,--help", "Показать справку и выйти");
    std::string dataDir;
    CLI::Option* dataDirOption = parser.add_option("--data-dir", dataDir, "Папка с файлами данных");
    int lockWait = kDefaultLockWaitSeconds;
    parser.add_option("--lock-wait", lockWait,
                      "Сколько секунд ждать, пока другая копия программы освободит папку данных (по умолчанию " +
                          std::to_string(kDefaultLockWaitSeconds) + ")")
        ->check(IntRange(0, 3600));

    std::vector<std::unique_ptr<Command>> commands;
    for (auto make : {MakeDrawsCommand, MakeAddDrawCommand, MakeEditDrawCommand, MakeDeleteDrawCommand,
                      MakeMethodsCommand, MakeValuesCommand, MakeStatsCommand, MakePrefetchCommand,
                      MakeGenerateCommand, MakeFilterCommand})
        commands.push_back(make());
    std::vector<std::pair<CLI::App*, Command*>> registered;
    for (auto& c : commands) {
        CLI::App* sub = c->Register(parser);
        sub->set_help_flag("-h,--help", "Показать справку по команде и выйти");
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
        if (parser.get_subcommands().empty() && !rest.empty()) text = "Неизвестная команда: " + rest.front();
        io.Err << "Ошибка в командной строке: " << text << "\nСправка: corvel --help\n";
        return kExitUsage;
    }

    std::optional<std::filesystem::path> switchValue;
    if (dataDirOption->count() > 0) {
        if (dataDir.empty()) {
            io.Err << "Ошибка в командной строке: не указано имя папки данных (--data-dir)\n";
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
