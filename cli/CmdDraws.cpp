// corvel draws: the draws list, newest first, with the columns of the draws tab.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"

namespace corvel::cli {
namespace {

class DrawsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("draws", texts::kCliDrawsCommand.Str());
        cmd->add_option("--last", last_, texts::kCliDrawsLastOption.Str())->check(IntRange(0, INT_MAX));
        cmd->add_flag("--sorted", sorted_, texts::kCliSortedOption.Str());
        return cmd;
    }

    int Run(Context& ctx) override {
        const bool read = LoadArchive(ctx, false);
        const TDrawsArray& draws = ctx.Workspace().Archive().Draws();
        std::ostream& out = ctx.io.Out;
        out << texts::kCliDrawsColumns.Str() << '\n';
        const int count = static_cast<int>(draws.size());
        const int rows = last_ > 0 ? std::min(last_, count) : count;
        for (int row = 0; row < rows; ++row) {
            const TDrawRec rec = GetDraw(draws, count - 1 - row, sorted_);
            out << rec.Number;
            for (auto n : rec.Numbers) out << '\t' << int{n};
            for (auto e : rec.Extra) out << '\t' << int{e};
            out << '\t' << rec.Sum() << '\t' << OutputField(rec.DateText()) << '\n';
        }
        return read ? kExitOk : kExitDataError;
    }

  private:
    int last_ = 0;
    bool sorted_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeDrawsCommand() { return std::make_unique<DrawsCommand>(); }

}  // namespace corvel::cli
