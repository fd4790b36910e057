// corvel card | layout: the card and layout tabs as text, row by row.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "views/Card.h"
#include "views/Layout.h"

namespace corvel::cli {
namespace {

class CardCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("card", texts::kCliCardCommand.Str());
        cmd->add_option("--length", length_, texts::kCliCardLengthOption.Str())->check(IntRange(1, INT_MAX));
        cmd->add_option("--offset", offset_, texts::kCliOffsetOption.Str())->check(IntRange(0, INT_MAX));
        return cmd;
    }
    int Run(Context& ctx) override {
        const bool read = LoadArchive(ctx, false);
        const auto rows = BuildCard(ctx.Workspace().Archive().Draws());
        std::ostream& out = ctx.io.Out;
        out << texts::kCliCardDrawColumn.Str();
        for (int n = 1; n <= kMaxNumber; ++n) out << '\t' << n;
        out << "\tE1\tE2\n";
        for (std::size_t r = static_cast<std::size_t>(offset_), shown = 0;
             r < rows.size() && (!length_ || shown < static_cast<std::size_t>(*length_)); ++r, ++shown) {
            out << rows[r].Draw;
            for (int n = 1; n <= kMaxNumber; ++n) {
                out << '\t';
                if (rows[r].Has(n)) out << n;
            }
            out << '\t' << int{rows[r].Extra[0]} << '\t' << int{rows[r].Extra[1]} << '\n';
        }
        return read ? kExitOk : kExitDataError;
    }

  private:
    std::optional<int> length_;
    int offset_ = 0;
};

class LayoutCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("layout", texts::kCliLayoutCommand.Str());
        cmd->add_option("--length", length_, texts::kCliLayoutLengthOption.Str())->check(IntRange(1, INT_MAX));
        cmd->add_option("--offset", offset_, texts::kCliOffsetOption.Str())->check(IntRange(0, INT_MAX));
        return cmd;
    }
    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const bool read = LoadArchive(ctx, false);
        const TDrawsArray& draws = ws.Archive().Draws();
        RequireOffsetInArchive(offset_, draws.size());
        const TLayoutMatrix m = BuildLayout(draws, length_, offset_);
        std::ostream& out = ctx.io.Out;
        out << texts::kCliLayoutCountColumn.Str();
        for (const int draw : m.LastDraws) out << '\t' << draw;
        out << '\n';
        for (std::size_t r = 0; r < m.Cells.size(); ++r) {
            out << m.Counts[r];
            for (const TLayoutCell& cell : m.Cells[r]) out << '\t' << LayoutCellText(m, cell);
            out << '\n';
        }
        // The five compare lists with the lengths the layout tab keeps,
        // largest count first as the lists first show them.
        const int defaults[5] = {50, 100, 200, 300, 400};
        for (int k = 0; k < 5; ++k) {
            const int length =
                ws.Settings().View().ReadInt("TFormMain", Format("LayoutCompareLen%d", {k + 1}), defaults[k]);
            TCompareList list = BuildCompareList(draws, std::max(1, length), offset_);
            std::stable_sort(list.Rows.begin(), list.Rows.end(),
                             [](const TCompareRow& a, const TCompareRow& b) { return a.Count > b.Count; });
            out << '\n' << texts::kCliLayoutCompareColumn.Str() << '\t' << list.Caption << '\n';
            for (const TCompareRow& row : list.Rows) out << row.Count << '\t' << row.Numbers << '\n';
        }
        return read ? kExitOk : kExitDataError;
    }

  private:
    int length_ = 100;
    int offset_ = 0;
};

}  // namespace

std::unique_ptr<Command> MakeCardCommand() { return std::make_unique<CardCommand>(); }
std::unique_ptr<Command> MakeLayoutCommand() { return std::make_unique<LayoutCommand>(); }

}  // namespace corvel::cli
