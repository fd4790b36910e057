// corvel stats: the statistics table of one method, and corvel prefetch: the
// prefetch caches.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/StatTable.h"

namespace corvel::cli {
namespace {

class StatsCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("stats", texts::kCliStatsCommand.Str());
        cmd->add_option("CODE", code_, texts::kCliMethodCodeArg.Str())->required();
        AddDrawWindowOptions(cmd, &window_, offset_, sorted_);
        cmd->add_option("--sort", sortColumn_, texts::kCliStatsSortOption.Str())->check(IntRange(0, kStatColumns - 1));
        cmd->add_flag("--desc", descending_, texts::kCliStatsDescOption.Str());
        AddPrefetchFlag(cmd, prefetch_);
        return cmd;
    }

    int Run(Context& ctx) override {
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        bool ok = LoadArchive(ctx, false);
        const int method = RequireMethod(ws.Statistics().Registry(), code_);
        RequireOffsetInArchive(offset_, ws.Archive().Draws().size());
        ws.Archive().SetOffset(offset_);
        ws.Archive().SetSorted(sorted_);
        ws.Statistics().SetPrefetchsEnabled(prefetch_);
        // A missing cache is built into the data folder.
        if (prefetch_) LockDataFolder(ctx);
        ok = ws.Statistics().ComputeTable(method, window_, true) && ok;
        std::vector<TStatTableRow> rows = ws.Statistics().Table().Rows;
        SortStatTable(rows, sortColumn_, descending_);

        std::ostream& out = ctx.io.Out;
        const auto& captions = StatColumnCaptions();
        for (int c = 0; c < kStatColumns; ++c) out << (c ? "\t" : "") << captions[static_cast<std::size_t>(c)];
        out << '\n';
        for (const auto& row : rows) {
            for (int c = 0; c < kStatColumns; ++c) out << (c ? "\t" : "") << row.Cells[static_cast<std::size_t>(c)];
            out << '\n';
        }
        return ok ? kExitOk : kExitDataError;
    }

  private:
    std::string code_;
    int window_ = 1000;
    int offset_ = 0;
    int sortColumn_ = 1;
    bool descending_ = false;
    bool sorted_ = false;
    bool prefetch_ = false;
};

class PrefetchCommand : public Command {
  public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("prefetch", texts::kCliPrefetchCommand.Str());
        cmd->add_flag("--force", force_, texts::kCliPrefetchForceOption.Str());
        cmd->add_option("--group", groups_, texts::kCliPrefetchGroupOption.Str())->check(IntRange(0, 12));
        cmd->add_option("CODE", codes_, texts::kCliPrefetchCodesArg.Str());
        return cmd;
    }

    int Run(Context& ctx) override {
        ctx.Hooks().SetQuiet(false);
        LockDataFolder(ctx);
        app::Workspace& ws = ctx.Workspace();
        ws.OpenSettingsAndRegistry();
        const TStatList& registry = ws.Statistics().Registry();
        std::uint32_t mask = force_ ? 0x1FFF : 0;
        for (int g : groups_) mask |= 1u << g;
        bool ok = true;
        if (codes_.empty()) {
            ok = ws.Statistics().BuildPrefetchFiles(true, mask);
        } else {
            for (const auto& code : codes_) {
                const int index = RequireMethod(registry, code);
                if (!registry.IsPrefetchable(index))
                    throw CliFailure{kExitUsage, Format(texts::kCliNotPrefetchable, {code})};
            }
            for (const auto& code : codes_)
                if (!(ok = ws.Statistics().RebuildPrefetch(registry.FindMethod(code)))) break;
        }
        return ok ? kExitOk : kExitDataError;
    }

  private:
    bool force_ = false;
    std::vector<int> groups_;
    std::vector<std::string> codes_;
};

}  // namespace

std::unique_ptr<Command> MakeStatsCommand() { return std::make_unique<StatsCommand>(); }
std::unique_ptr<Command> MakePrefetchCommand() { return std::make_unique<PrefetchCommand>(); }

}  // namespace corvel::cli
