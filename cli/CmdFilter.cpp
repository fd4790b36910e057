// corvel generate: a new combination list; corvel filter: a list cut by
// filter steps given in order on the command line.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "model/TextUtil.h"
#include "stats/CustomStat.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "stats/FilterDefinition.h"

namespace corvel::cli {
namespace {

using app::CombinationsService;

// A count of draws typed in a step: a whole number from 1 up, within int.
int RequireDrawCount(std::string_view text, const std::string& step) {
    const auto n = ToInt64(Trim(text));
    if (!n || *n < 1 || *n > INT_MAX) throw CliFailure{kExitUsage, Format(texts::kCliBadDrawCount, {step})};
    return static_cast<int>(*n);
}

void WriteList(app::Workspace& ws, const std::string& file) {
    if (!file.empty() && !ws.Combinations().SaveFile(file)) throw CliFailure{kExitDataError, ""};
}

class GenerateCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("generate", texts::kCliGenerateCommand.Str());
        cmd->add_option("--mode", mode_, texts::kCliGenerateModeOption.Str())->check(IntRange(0, 4));
        cmd->add_option("--params", params_, texts::kCliGenerateParamsOption.Str());
        cmd->add_option("-o,--output", output_, texts::kCliOutputOption.Str());
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.Settings().Load();
        const TGameSettings& settings = ws.Settings().Game();
        if (!ws.Combinations().Generate(mode_ >= 0 ? mode_ : settings.CombsGenerateMode,
                                        params_ ? *params_ : settings.CombsGenerateParameters, true))
            return kExitDataError;
        ctx.io.Out << ws.Combinations().List().Current().Count() << '\n';
        WriteList(ws, output_);
        return kExitOk;
    }

  private:
    int mode_ = -1;
    std::optional<std::string> params_;
    std::string output_;
};

// One step as typed: --keep/--remove CODE:WINDOW=V1;V2, --exclude-last N or
// --definition TEXT.
struct Step {
    enum Kind { kKeep, kRemove, kExcludeLast, kDefinition } What;
    std::string Text;
};

class FilterCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("filter", texts::kCliFilterCommand.Str());
        cmd->add_option("--from", from_, texts::kCliFilterFromOption.Str());
        AddDrawWindowOptions(cmd, nullptr, offset_, sorted_);
        AddPrefetchFlag(cmd, prefetch_);
        keep_ = cmd->add_option("--keep", keepTexts_, texts::kCliFilterKeepOption.Str());
        remove_ = cmd->add_option("--remove", removeTexts_, texts::kCliFilterRemoveOption.Str());
        exclude_ = cmd->add_option("--exclude-last", excludeValues_, texts::kCliFilterExcludeLastOption.Str());
        definition_ = cmd->add_option("--definition", definitionTexts_, texts::kCliFilterDefinitionOption.Str());
        for (auto* o : {keep_, remove_, exclude_, definition_}) o->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        cmd->add_option("-o,--output", output_, texts::kCliOutputOption.Str());
        cmd_ = cmd;
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        CliHooks& hooks = ctx.Hooks();
        // A missing prefetch cache is built into the data folder.
        if (prefetch_) LockDataFolder(ctx);
        ws.OpenSettingsAndRegistry();
        ok_ = LoadArchive(ctx, false);
        RequireOffsetInArchive(offset_, ws.Archive().Draws().size());
        ws.Archive().SetOffset(offset_);
        ws.Archive().SetSorted(sorted_);
        ws.Statistics().SetPrefetchsEnabled(prefetch_);
        CombinationsService& combs = ws.Combinations();
        if (from_.empty()) {
            if (!combs.Generate(true)) return kExitDataError;
        } else {
            if (!combs.OpenFile(from_)) return kExitDataError;
        }

        for (const Step& step : OrderedSteps()) {
            switch (step.What) {
                case Step::kKeep:
                case Step::kRemove:
                    RunValuesStep(ws, step);
                    break;
                case Step::kExcludeLast: {
                    ok_ = combs.ExcludeLastDraws(RequireDrawCount(step.Text, step.Text)) && ok_;
                    break;
                }
                case Step::kDefinition: {
                    // A definition that names no method or gives no window or
                    // level is bad input of the command line, like any other;
                    // one that expands into too many parts is refused as such.
                    const TStatList& registry = ws.Statistics().Registry();
                    const TFilterItem item = ParseFilterItem(step.Text, registry);
                    if (item.Method < 0) throw CliFailure{kExitUsage, Format(texts::kBadFilterDefinition, {step.Text})};
                    try {
                        TFilterExpansion check(item, registry);
                    } catch (const ETooManyFilterParts& e) {
                        throw CliFailure{kExitDataError, TerminalText(e.what())};
                    } catch (const ECorvelError& e) {
                        throw CliFailure{kExitUsage, TerminalText(e.what())};
                    }
                    hooks.ShowProgress(true);
                    const bool applied = combs.ApplyFilterDefinition(item);
                    hooks.ShowProgress(false);
                    if (!applied) {
                        if (hooks.StopRequested()) throw CliFailure{kExitDataError, texts::kOperationStopped.Str()};
                        return kExitDataError;
                    }
                    break;
                }
            }
        }

        std::ostream& out = ctx.io.Out;
        out << texts::kCliFilterColumns.Str() << '\n';
        for (const auto& row : combs.Applied().Rows())
            out << (row.Keep ? "+ " : "- ") << OutputField(row.Caption) << '\t' << OutputField(row.Values) << '\t'
                << row.Count << '\n';
        out << Format(texts::kCombsCount, {combs.List().Current().Count()}) << '\n';
        WriteList(ws, output_);
        return ok_ ? kExitOk : kExitDataError;
    }

  private:
    // The steps in the order they stand on the command line.
    std::vector<Step> OrderedSteps() const {
        std::vector<Step> steps;
        std::size_t k = 0, r = 0, e = 0, d = 0;
        for (const CLI::Option* o : cmd_->parse_order()) {
            if (o == keep_)
                steps.push_back({Step::kKeep, keepTexts_.at(k++)});
            else if (o == remove_)
                steps.push_back({Step::kRemove, removeTexts_.at(r++)});
            else if (o == exclude_)
                steps.push_back({Step::kExcludeLast, excludeValues_.at(e++)});
            else if (o == definition_)
                steps.push_back({Step::kDefinition, definitionTexts_.at(d++)});
        }
        return steps;
    }

    // CODE:WINDOW=V1;V2: the values are the texts of the table's first column.
    void RunValuesStep(app::Workspace& ws, const Step& step) {
        const std::size_t colon = step.Text.find(':'), eq = step.Text.find('=');
        if (colon == std::string::npos || eq == std::string::npos || eq < colon)
            throw CliFailure{kExitUsage, Format(texts::kCliBadFilterStep, {step.Text})};
        const int method = RequireMethod(ws.Statistics().Registry(), step.Text.substr(0, colon));
        const int window = RequireDrawCount(step.Text.substr(colon + 1, eq - colon - 1), step.Text);
        ok_ = ws.Statistics().ComputeTable(method, window, false) && ok_;
        const TStatTable& table = ws.Statistics().Table();
        TStatDrawArray values;
        std::string text;
        for (std::string_view wanted : SplitAny(std::string_view(step.Text).substr(eq + 1), ";", true)) {
            wanted = Trim(wanted);
            const TStatTableRow* found = nullptr;
            for (const auto& row : table.Rows)
                if (row.Cells[0] == wanted) found = &row;
            if (!found) {
                std::string known;
                for (const auto& row : table.Rows) known += (known.empty() ? "" : "; ") + row.Cells[0];
                throw CliFailure{kExitUsage, Format(texts::kCliValueNotInTable,
                                                    {wanted, ws.Statistics().Registry().Item(method).Code(), known})};
            }
            values.push_back(found->Value);
            text += (text.empty() ? "" : "; ") + found->Cells[0];
        }
        if (values.empty()) throw CliFailure{kExitUsage, Format(texts::kCliNoFilterValues, {step.Text})};
        ok_ = ws.Combinations().Filter(method, values, text, step.What == Step::kRemove) && ok_;
    }

    CLI::App* cmd_ = nullptr;
    CLI::Option *keep_ = nullptr, *remove_ = nullptr, *exclude_ = nullptr, *definition_ = nullptr;
    std::vector<std::string> keepTexts_, removeTexts_, excludeValues_, definitionTexts_;
    std::string from_;
    std::string output_;
    int offset_ = 0;
    bool sorted_ = false;
    bool prefetch_ = false;
    bool ok_ = true;  // false once a step failed (reported) and the command went on
};

}  // namespace

std::unique_ptr<Command> MakeGenerateCommand() { return std::make_unique<GenerateCommand>(); }
std::unique_ptr<Command> MakeFilterCommand() { return std::make_unique<FilterCommand>(); }

}  // namespace corvel::cli
