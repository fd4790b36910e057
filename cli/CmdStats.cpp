// corvel stats: the statistics table of one method, and corvel prefetch: the
// prefetch caches.
#include <climits>
#include <ostream>

#include "CliCommon.h"
#include "CliParserTexts.h"
#include "CliHooks.h"
#include "app/Workspace.h"
#include "stats/StatTable.h"

namespace corvel::cli {
namespace {

class StatsCommand : public Command {
public:
    CLI::App* Register(CLI::App& parent) override {
        auto* cmd = parent.add_subcommand("stats", "Таблица статистики метода за последние N тиражей");
        cmd->add_option("CODE", code_, "Код метода (например NUMS, POS3)")->required();
        AddDrawWindowOptions(cmd, &window_, offset_, sorted_);
        cmd->add_option("--sort", sortColumn_, "Столбец сортировки 0..19")->check(IntRange(0, kStatColumns - 1));
        cmd->add_flag("--desc", descending_, "Сортировка по убыванию");
        AddPrefetchFlag(cmd, prefetch_);
        return cmd;
    }

    int Run(Context& ctx) override {
        CliHooks hooks(ctx.io.Err, true);
        app::Workspace ws(ctx.Files, hooks);
        ws.OpenSettingsAndRegistry();
        ws.LoadArchive();
        const int method = RequireMethod(ws.Stats(), code_);
        RequireOffsetInArchive(offset_, ws.Draws().size());
        ws.SetDrawsOffset(offset_);
        ws.SortedDraws = sorted_;
        ws.PrefetchsEnabled = prefetch_;
        // A missing cache is built into the data folder.
        if (prefetch_) LockDataFolder(ctx);
        std::vector<TStatTableRow> rows = ws.ComputeStatTable(method, window_, true).Rows;
        SortStatTable(rows, sortColumn_, descending_);

        std::ostream& out = ctx.io.Out;
        const auto& captions = StatColumnCaptions();
        for (int c = 0; c < kStatColumns; ++c) out << (c ? "\t" : "") << captions[static_cast<std::size_t>(c)];
        out << '\n';
        for (const auto& row : rows) {
            for (int c = 0; c < kStatColumns; ++c) out << (c ? "\t" : "") << row.Cells[static_cast<std::size_t>(c)];
            out << '\n';
        }
        return hooks.HadError() ? kExitDataError : kExitOk;
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
        auto* cmd = parent.add_subcommand("prefetch", "Создать файлы для полного набора комбинаций");
        cmd->add_flag("--force", force_, "Пересоздать все файлы");
        cmd->add_option("--group", groups_, "Пересоздать файлы группы методов 0..12")->check(IntRange(0, 12));
        cmd->add_option("CODE", codes_, "Пересоздать файлы этих методов");
        return cmd;
    }

    int Run(Context& ctx) override {
        CliHooks hooks(ctx.io.Err, false);
        LockDataFolder(ctx);
        app::Workspace ws(ctx.Files, hooks);
        ws.OpenSettingsAndRegistry();
        std::uint32_t mask = force_ ? 0x1FFF : 0;
        for (int g : groups_) mask |= 1u << g;
        if (codes_.empty()) {
            ws.BuildPrefetchFiles(true, mask);
        } else {
            for (const auto& code : codes_) {
                const int index = RequireMethod(ws.Stats(), code);
                if (!ws.Stats().Item(index).StatClass->IsPrefetchable())
                    throw CliFailure{kExitUsage, "Для метода " + code + " файл предварительной выборки не создается"};
            }
            for (const auto& code : codes_)
                if (!ws.RebuildPrefetch(ws.Stats().FindMethod(code))) break;
        }
        return hooks.HadError() ? kExitDataError : kExitOk;
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
