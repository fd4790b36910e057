// corvel script show | add: scenario files, as the scenario tab lists and
// edits them. A line is added after the item editor's checks, with its
// filters in their canonical text, and the file is rewritten whole through a
// temporary file; a file that cannot be read is left as it is.
#include <ostream>

#include "CliCommon.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "scenarios/ScriptItem.h"
#include "scenarios/ScriptList.h"

namespace corvel::cli {
namespace {

TScriptList ReadList(const std::string& file, bool missingIsEmpty) {
    TScriptList list;
    try {
        if (!(missingIsEmpty && !std::filesystem::exists(file))) list.Load(file);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError,
                         TerminalText(ErrorReport(Format(texts::kScriptFileReadError, {file}), e.what()))};
    }
    return list;
}

class ScriptCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("script", texts::kCliScriptCommand.Str());
        cmd->require_subcommand(1);
        show_ = cmd->add_subcommand("show", texts::kCliScriptShowCommand.Str());
        show_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        show_->add_option("FILE", file_, texts::kCliScriptFileArg.Str())->required();
        show_->add_flag("--columns", columns_, texts::kCliScriptColumnsOption.Str());
        add_ = cmd->add_subcommand("add", texts::kCliScriptAddCommand.Str());
        add_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        add_->add_option("FILE", file_, texts::kCliScriptFileArg.Str())->required();
        add_->add_option("LINE", line_, texts::kCliScriptLineArg.Str())->required();
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const TStatList& registry = ws.Statistics().Registry();
        if (show_->parsed()) {
            const TScriptList list = ReadList(file_, false);
            std::ostream& out = ctx.io.Out;
            if (columns_) out << texts::kCliScriptColumns.Str() << '\n';
            for (std::size_t i = 0; i < list.Count(); ++i) {
                const std::string& line = list.Line(i);
                if (!columns_) {
                    out << OutputField(line) << '\n';
                    continue;
                }
                out << i + 1;
                if (!IsScriptSeparator(line)) {
                    const TScriptItem item = ParseScriptItem(line);
                    out << '\t' << OutputField(item.Comment) << '\t' << ScriptOptionsText(item.Options);
                    for (const std::string& f : item.Filters) out << '\t' << OutputField(ScriptFilterText(f, registry));
                }
                out << '\n';
            }
            return kExitOk;
        }
        // An empty line is a separator.
        std::string line;
        if (!IsScriptSeparator(line_)) {
            auto checked = CheckedScriptLine(ParseScriptItem(line_), registry);
            if (!checked) throw CliFailure{kExitUsage, checked.Error()};
            line = *checked;
        }
        TScriptList list = ReadList(file_, true);
        list.Add(line);
        try {
            list.Save(file_);
        } catch (const ECorvelError& e) {
            throw CliFailure{kExitDataError,
                             TerminalText(ErrorReport(Format(texts::kScriptFileWriteError, {file_}), e.what()))};
        }
        ctx.io.Out << OutputField(line) << '\n';
        return kExitOk;
    }

  private:
    CLI::App* show_ = nullptr;
    CLI::App* add_ = nullptr;
    std::string file_;
    std::string line_;
    bool columns_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeScriptCommand() { return std::make_unique<ScriptCommand>(); }

}  // namespace corvel::cli
