#include "CliCommon.h"

#include <climits>

#include "CliParserTexts.h"

#include <cerrno>
#include <cmath>
#include <ostream>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel::cli {

app::Workspace& Context::Workspace() {
    if (!workspace_) workspace_ = std::make_unique<app::Workspace>(Files, hooks_);
    return *workspace_;
}

void LockDataFolder(Context& ctx) {
    app::Workspace& ws = ctx.Workspace();
    if (ws.Lock().Held()) return;
    // The lock file lives in the data folder; a first run makes the folder.
    try {
        app::EnsureDataFolder(ctx.Files.Folder);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(e.what())};
    }
    if (ws.LockFolder(ctx.LockWait)) return;
    std::string message = texts::kExclusiveAccess.Str();
    if (ws.Lock().LastError() != EWOULDBLOCK)
        message += "\r\r" + ctx.Files.Stakes().string() + ": " + SystemErrorText(ws.Lock().LastError());
    throw CliFailure{kExitDataError, TerminalText(message)};
}

void AddDrawWindowOptions(CLI::App* cmd, int* window, int& offset, bool& sorted) {
    if (window) cmd->add_option("--window", *window, texts::kCliWindowOption.Str())->check(IntRange(1, INT_MAX));
    cmd->add_option("--offset", offset, texts::kCliOffsetOption.Str())->check(IntRange(0, INT_MAX));
    cmd->add_flag("--sorted", sorted, texts::kCliSortedOption.Str());
}

void AddPrefetchFlag(CLI::App* cmd, bool& prefetch) {
    cmd->add_flag("--prefetch", prefetch, texts::kCliPrefetchOption.Str());
    cmd->add_flag_callback(
        "--no-prefetch", [&prefetch] { prefetch = false; }, texts::kCliNoPrefetchOption.Str());
}

void RequireOffsetInArchive(int offset, std::size_t draws) {
    if (draws != 0 && offset >= static_cast<int>(draws))
        throw CliFailure{kExitUsage, Format(texts::kCliOffsetTooLarge, {draws})};
}

bool LoadArchive(Context& ctx, bool forChange) {
    const bool read = ctx.Workspace().Archive().Load();
    // The error was shown; nothing more to say.
    if (!read && forChange) throw CliFailure{kExitDataError, ""};
    if (forChange) {
        try {
            app::EnsureDataFolder(ctx.Files.Folder);
        } catch (const ECorvelError& e) {
            throw CliFailure{kExitDataError, TerminalText(ErrorReport(texts::kArchiveWriteError, e.what()))};
        }
    }
    return read;
}

void LoadArchiveForChange(Context& ctx) {
    LoadArchive(ctx, true);
    LockDataFolder(ctx);
    LoadArchive(ctx, true);
}

void ChangeArchive(Context& ctx, const std::function<void(TDrawsArray&)>& edit) {
    if (!ctx.Workspace().Archive().Change(edit)) throw CliFailure{kExitDataError, ""};
}

void OpenStakesForReading(Context& ctx, TStakesFile& file) {
    try {
        for (const std::string& w : file.OpenForReading()) ctx.io.Err << TerminalText(w) << '\n';
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(ErrorReport(texts::kStakesReadError, e.what()))};
    }
}

void PrintGraph(std::ostream& out, const TGraph& graph, const std::function<std::string(std::size_t, double)>& value) {
    out << OutputField(graph.Caption) << '\n';
    for (std::size_t s = 0; s < graph.Series.size(); ++s) {
        out << OutputField(graph.Series[s].Name) << '\n';
        for (const TSeriesPoint& p : graph.Series[s].Points) out << IntegerText(p.X) << '\t' << value(s, p.Y) << '\n';
    }
}

TGraph BuildGraph(const std::function<TGraph()>& build) {
    try {
        return build();
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(e.what())};
    }
}

std::string IntegerText(double y) { return std::to_string(std::llround(y)); }
std::string MoneyText(double y) { return Format("%.2f", {y}); }

int RequireMethod(const TStatList& list, const std::string& code) {
    int index = list.FindMethod(code);
    if (index >= 0) return index;
    std::string message = Format(texts::kUnknownMethod, {code});
    auto similar = list.SimilarCodes(code, 8);
    if (!similar.empty()) {
        std::string joined;
        for (const auto& s : similar) joined += (joined.empty() ? "" : ", ") + s;
        message += "\n" + Format(texts::kSimilarMethods, {joined});
    }
    throw CliFailure{kExitUsage, message};
}

app::StakesService& OpenStakesForChange(Context& ctx) {
    LockDataFolder(ctx);
    app::Workspace& ws = ctx.Workspace();
    ws.OpenSettingsAndRegistry();
    if (!ws.Stakes().Open()) throw CliFailure{kExitDataError, ""};
    LoadArchive(ctx, false);
    return ws.Stakes();
}

const TCombsArray& LoadCombinationList(Context& ctx, const std::string& from) {
    app::CombinationsService& combs = ctx.Workspace().Combinations();
    const bool ok = from.empty() ? combs.Generate(true) : combs.OpenFile(from);
    if (!ok) throw CliFailure{kExitDataError, ""};
    return combs.List().Current();
}

std::vector<std::int64_t> ParseRowList(const std::vector<std::string>& words, std::int64_t count,
                                       const i18n::TextId& noRow) {
    std::vector<std::int64_t> indexes;
    for (const std::string& word : words) {
        const auto dash = word.find('-', 1);
        const auto first = ToInt64(Trim(std::string_view(word).substr(0, dash)));
        const auto last = dash == std::string::npos ? first : ToInt64(Trim(std::string_view(word).substr(dash + 1)));
        if (!first || !last || *first < 1 || *last < *first)
            throw CliFailure{kExitUsage, Format(texts::kCliStakesBadRow, {word})};
        if (*last > count) throw CliFailure{kExitDataError, Format(noRow, {*last, count})};
        for (std::int64_t row = *first; row <= *last; ++row) indexes.push_back(row - 1);
    }
    return indexes;
}

}  // namespace corvel::cli
