// corvel systems list | play: the systems kept in the folder "Systems" of the
// data folder, and system play over a combination list, as the systems tab
// does it. Playing takes the folder lock and adds stakes of kind "system"
// through the stakes service (appended whole or not at all, then checked).
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "app/SystemsService.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "stakes/StakeInput.h"

namespace corvel::cli {
namespace {

class SystemsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("systems", texts::kCliSystemsCommand.Str());
        cmd->require_subcommand(1);
        list_ = cmd->add_subcommand("list", texts::kCliSystemsListCommand.Str());
        list_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        play_ = cmd->add_subcommand("play", texts::kCliSystemsPlayCommand.Str());
        play_->set_help_flag("-h,--help", texts::kCliCommandHelpOption.Str());
        play_->add_option("FILE", from_, texts::kCliSystemsListFileArg.Str());
        play_->add_flag("--list-only", listOnly_, texts::kCliSystemsListOnlyOption.Str());
        play_->add_option("--draw", draw_, texts::kCliSystemsDrawOption.Str())->check(IntRange(1, INT_MAX));
        play_->add_option("--draws", draws_, texts::kCliStakeDrawsOption.Str())->check(IntRange(1, 65535));
        play_->add_option("--comment", comment_, texts::kCliSystemsCommentOption.Str());
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        if (list_->parsed()) {
            // The catalogue of the vendor's service is not reached by this
            // command: its placeholder, then the systems of the folder.
            ctx.io.Err << texts::kSystemsListUnavailable.Str() << '\n';
            ctx.io.Out << texts::kCliSystemsColumns.Str() << '\n';
            for (const app::TLocalSystem& s : ws.Systems().LocalSystems()) {
                ctx.io.Out << OutputField(s.Name) << '\t' << Format("%.2d", {s.Numbers}) << '\t' << s.Block << '\t'
                           << s.Lines << '\t' << s.Created << '\t'
                           << (s.Error.empty() ? texts::kSystemDownloaded.Str() : TerminalText(s.Error)) << '\n';
            }
            return kExitOk;
        }
        if (comment_) {
            if (auto ok = CheckStakeComment(*comment_); !ok) throw CliFailure{kExitUsage, ok.Error()};
        }
        app::StakesService& stakes = OpenStakesForChange(ctx);
        const TCombsArray& list = LoadCombinationList(ctx, from_);
        if (list.Empty()) throw CliFailure{kExitDataError, texts::kCliStakesEmptyList.Str()};
        const std::optional<TSystemPlay> play = ws.Systems().Prepare(listOnly_);
        if (!play) return kExitDataError;
        const int first = draw_ ? *draw_ : NextDrawNumber(ws.Archive().Draws(), ws.Archive().Offset());
        const std::int64_t before = stakes.File().Count();
        if (!ws.Systems().Play(*play, first, draws_, comment_ ? *comment_ : play->Title)) return kExitDataError;
        ctx.io.Out << play->Title << '\n'
                   << Format(texts::kCliStakesAdded, {stakes.File().Count() - before, stakes.File().Count()}) << '\n';
        return kExitOk;
    }

  private:
    CLI::App* list_ = nullptr;
    CLI::App* play_ = nullptr;
    std::string from_;
    bool listOnly_ = false;
    std::optional<int> draw_;
    int draws_ = 1;
    std::optional<std::string> comment_;
};

}  // namespace

std::unique_ptr<Command> MakeSystemsCommand() { return std::make_unique<SystemsCommand>(); }

}  // namespace corvel::cli
