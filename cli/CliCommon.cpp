#include "CliCommon.h"

#include <ostream>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel::cli {

TDrawsArray LoadArchive(Context& ctx, bool forChange) {
    ArchiveReadResult read = ReadArchiveFile(ctx.Files.Archive());
    if (!read.Error.empty()) {
        std::string message = TerminalText(Format(texts::kArchiveReadError, {read.Error}));
        if (forChange) throw CliFailure{kExitDataError, message};
        ctx.io.Err << message << '\n';
    }
    return std::move(read.Draws);
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
