// corvel add-draw, edit-draw, delete-draw: the archive operations of the
// draws tab. Every change is checked completely before the archive is
// rewritten, so a refused command leaves the file as it was.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/DateText.h"
#include "model/DrawArchive.h"
#include "model/DrawInput.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel::cli {
namespace {

TDrawNumbersInput RequireNumbers(const std::string& text) {
    auto input = ParseDrawNumbers(text);
    if (!input) throw CliFailure{kExitUsage, input.Error()};
    return *input;
}

std::string RequireDate(const std::string& text) {
    auto date = ParseDateText(text);
    if (!date) throw CliFailure{kExitUsage, Format(texts::kBadDate, {text})};
    return FormatDateText(*date);
}

int RequireIndex(const TDrawsArray& draws, int number) {
    int index = FindDrawIndex(draws, number);
    if (index < 0) throw CliFailure{kExitDataError, Format(texts::kDrawNumberNotFound, {number})};
    return index;
}

void AddNumberOption(CLI::App* cmd, int& number) {
    cmd->add_option("NUMBER", number, texts::kCliDrawNumberArg.Str())->required()->check(IntRange(1, INT_MAX));
}

void AddDrawOptions(CLI::App* cmd, std::string& numbers, std::string& date) {
    cmd->add_option("NUMBERS", numbers, texts::kCliDrawNumbersArg.Str())->required();
    cmd->add_option("--date", date, texts::kCliDrawDateOption.Str());
}

class AddDrawCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("add-draw", texts::kCliAddDrawCommand.Str());
        AddNumberOption(cmd, number_);
        AddDrawOptions(cmd, numbers_, date_);
        return cmd;
    }

    int Run(Context& ctx) override {
        const TDrawNumbersInput input = RequireNumbers(numbers_);
        // As in the draw dialog, a draw without a date gets today's.
        const std::string date = date_.empty() ? FormatDateText(ctx.io.Today()) : RequireDate(date_);
        LoadArchiveForChange(ctx);
        // The stakes waiting for the new draw are checked once it is saved,
        // as in the desktop program; stakes that cannot be opened are
        // reported and wait for the next check.
        ctx.Workspace().OpenSettingsAndRegistry();
        ctx.Workspace().Stakes().Open();
        TDrawRec rec;
        rec.Number = number_;
        rec.Numbers = input.Numbers;
        rec.Extra = input.Extra;
        rec.SetDateText(date);
        if (!ctx.Workspace().Archive().AddDraw(rec)) return kExitDataError;
        return kExitOk;
    }

  private:
    int number_ = 0;
    std::string numbers_;
    std::string date_;
};

class EditDrawCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("edit-draw", texts::kCliEditDrawCommand.Str());
        AddNumberOption(cmd, number_);
        AddDrawOptions(cmd, numbers_, date_);
        cmd->add_option("--number", newNumber_, texts::kCliNewDrawNumberOption.Str())->check(IntRange(1, INT_MAX));
        return cmd;
    }

    int Run(Context& ctx) override {
        const TDrawNumbersInput input = RequireNumbers(numbers_);
        const std::string date = date_.empty() ? std::string() : RequireDate(date_);
        LoadArchiveForChange(ctx);
        ChangeArchive(ctx, [&](TDrawsArray& draws) {
            TDrawRec& rec = draws[static_cast<std::size_t>(RequireIndex(draws, number_))];
            if (newNumber_ > 0) rec.Number = newNumber_;
            rec.Numbers = input.Numbers;
            rec.Extra = input.Extra;
            if (!date.empty()) rec.SetDateText(date);
        });
        return kExitOk;
    }

  private:
    int number_ = 0;
    int newNumber_ = 0;
    std::string numbers_;
    std::string date_;
};

class DeleteDrawCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("delete-draw", texts::kCliDeleteDrawCommand.Str());
        cmd->add_option("NUMBER", numbers_, texts::kCliDeleteDrawNumbersArg.Str())
            ->required()
            ->check(IntRange(1, INT_MAX));
        return cmd;
    }

    int Run(Context& ctx) override {
        LoadArchiveForChange(ctx);
        // Each draw is found by its number just before it is removed, so gaps
        // in the numbering never shift the wrong record; a number that is not
        // there refuses the whole command before anything is written.
        ChangeArchive(ctx, [&](TDrawsArray& draws) {
            for (int number : numbers_) DeleteDraw(draws, RequireIndex(draws, number));
        });
        return kExitOk;
    }

  private:
    std::vector<int> numbers_;
};

}  // namespace

std::unique_ptr<Command> MakeAddDrawCommand() { return std::make_unique<AddDrawCommand>(); }
std::unique_ptr<Command> MakeEditDrawCommand() { return std::make_unique<EditDrawCommand>(); }
std::unique_ptr<Command> MakeDeleteDrawCommand() { return std::make_unique<DeleteDrawCommand>(); }

}  // namespace corvel::cli
