#include "app/CombsCommands.h"

#include <string>

#include "app/UserOperation.h"
#include "combs/CombsClipboard.h"
#include "combs/CombsFile.h"
#include "combs/CombsGeneration.h"
#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel::app {

bool LoadCombsFile(TCombsArray& list, const std::filesystem::path& path, UiHooks& hooks) {
    const std::string failure = Format(texts::kCombsFileReadError, {path.string()});
    return RunOperation(hooks, {.Failure = failure}, [&] { ReadCombsFile(path, list); });
}

bool SaveCombsFile(const TCombsArray& list, const std::filesystem::path& path, UiHooks& hooks) {
    const std::string failure = Format(texts::kCombsFileWriteError, {path.string()});
    return RunOperation(hooks, {.Failure = failure}, [&] { WriteCombsFile(path, list); });
}

bool OpenCombsFile(TCombsList& list, const std::filesystem::path& path, UiHooks& hooks) {
    const std::string status = Format(texts::kCombsFileLoading, {path.string()});
    const std::string failure = Format(texts::kCombsFileReadError, {path.string()});
    return RunOperation(hooks, {status, failure}, [&] { corvel::OpenCombsFile(list, path); });
}

bool PasteCombs(TCombsList& list, std::string_view text, UiHooks& hooks) {
    // The refusal names the faulty line itself.
    return RunOperation(hooks, {}, [&] { corvel::PasteCombs(list, text); });
}

bool GenerateCombs(TCombsArray& list, int mode, std::string_view parameters, UiHooks& hooks, bool showProgress) {
    const bool file = ToGenerateMode(mode) == ECombsGenerateMode::File;
    const std::string failure =
        file ? Format(texts::kCombsFileReadError, {std::string(parameters)}) : std::string(texts::kCombsGenerateError);
    const std::string_view status = showProgress ? std::string_view(texts::kCombsGenerating) : std::string_view();
    return RunOperation(hooks, {status, failure}, [&] { corvel::GenerateCombs(list, mode, parameters); });
}

bool SaveCombsBuffer(TCombsBuffer& buffer, const TCombsArray& list, TCombsBufferKey key, UiHooks& hooks) {
    return RunOperation(hooks, {.Failure = texts::kCombsBufferSaveError}, [&] { buffer.Save(list, key, hooks); });
}

bool LoadCombsBuffer(TCombsBuffer& buffer, TCombsArray& list, TCombsBufferKey key, UiHooks& hooks) {
    if (!buffer.Holds(key)) return false;
    return RunOperation(hooks, {.Failure = texts::kCombsBufferLoadError},
                        [&] { return buffer.Load(list, key, hooks); });
}

void ShowCombinationInArchive(const TCombination& c, const TDrawsArray& draws, UiHooks& hooks) {
    std::string text;
    RunOperation(hooks, {.Status = texts::kCombsSearchingArchive}, [&] { text = CombinationInArchiveText(c, draws); });
    hooks.Info(text);
}

}  // namespace corvel::app
