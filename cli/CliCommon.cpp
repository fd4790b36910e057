#include "CliCommon.h"

#include <climits>

#include "CliParserTexts.h"

#include <cerrno>
#include <ostream>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel::cli {

void LockDataFolder(Context& ctx) {
    if (ctx.Lock.Held()) return;
    // The lock file lives in the data folder; a first run makes the folder.
    try {
        app::EnsureDataFolder(ctx.Files.Folder);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(e.what())};
    }
    if (ctx.Lock.Acquire(ctx.Files.Stakes(), ctx.LockWait)) return;
    std::string message = texts::kExclusiveAccess.Str();
    if (ctx.Lock.LastError() != EWOULDBLOCK)
        message += "\r\r" + ctx.Files.Stakes().string() + ": " + SystemErrorText(ctx.Lock.LastError());
    throw CliFailure{kExitDataError, TerminalText(message)};
}

void AddDrawWindowOptions(CLI::App* cmd, int* window, int& offset, bool& sorted) {
    if (window)
        cmd->add_option("--window", *window, "Количество тиражей для расчета статистики")
            ->check(IntRange(1, INT_MAX));
    cmd->add_option("--offset", offset, "Сколько последних тиражей не учитывать")->check(IntRange(0, INT_MAX));
    cmd->add_flag("--sorted", sorted, "Числа тиража по возрастанию (Упорядочить MIN->MAX)");
}

void AddPrefetchFlag(CLI::App* cmd, bool& prefetch) {
    cmd->add_flag("--prefetch", prefetch,
                  "Использовать сравнение с полным набором комбинаций (столбцы 3-5, режимы уровня по отклонению)");
    cmd->add_flag_callback("--no-prefetch", [&prefetch] { prefetch = false; },
                           "Не использовать сравнение с полным набором комбинаций (по умолчанию)");
}

void RequireOffsetInArchive(int offset, std::size_t draws) {
    if (draws != 0 && offset >= static_cast<int>(draws))
        throw CliFailure{kExitUsage,
                         "Смещение должно быть меньше количества тиражей в архиве (" + std::to_string(draws) + ")"};
}

TDrawsArray LoadArchive(Context& ctx, bool forChange) {
    ArchiveReadResult read = ReadArchiveFile(ctx.Files.Archive());
    if (!read.Error.empty()) {
        std::string message = TerminalText(Format(texts::kArchiveReadError, {read.Error}));
        if (forChange) throw CliFailure{kExitDataError, message};
        ctx.io.Err << message << '\n';
        ctx.DataError = true;
    }
    if (forChange) {
        try {
            app::EnsureDataFolder(ctx.Files.Folder);
        } catch (const ECorvelError& e) {
            throw CliFailure{kExitDataError,
                             TerminalText(Format(texts::kArchiveWriteError, {e.what()}))};
        }
    }
    return std::move(read.Draws);
}

TDrawsArray LoadArchiveForChange(Context& ctx) {
    LoadArchive(ctx, true);
    LockDataFolder(ctx);
    return LoadArchive(ctx, true);
}

void SaveArchive(Context& ctx, const TDrawsArray& draws) {
    try {
        WriteArchiveFile(ctx.Files.Archive(), draws);
    } catch (const ECorvelError& e) {
        throw CliFailure{kExitDataError, TerminalText(Format(texts::kArchiveWriteError, {e.what()}))};
    }
}

void PrepareRegistry(Context& ctx, TStatList& list, const TDrawsArray& draws) {
    list.SetDraws(&draws);
    list.RegisterMethods();
    try {
        list.LoadNames(ctx.Files.FilterNames(), true);
    } catch (const ECorvelError& e) {
        ctx.io.Err << TerminalText(Format(texts::kFiltersLoadError, {e.what()})) << '\n';
    }
}

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

}  // namespace corvel::cli
