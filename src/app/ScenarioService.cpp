#include "app/ScenarioService.h"

#include <system_error>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel::app {

ScenarioService::ScenarioService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes)
    : files_(files), hooks_(hooks), changes_(changes) {}

void ScenarioService::Load() {
    const std::filesystem::path file = files_.Scenario();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;
    TScriptList read;
    std::string error;
    const bool ok = RunOperation(hooks_, {Format(texts::kScriptFileLoading, {file.string()}), {}}, [&] {
        try {
            read.Load(file);
        } catch (const std::exception& e) {
            error = e.what();
        }
    });
    if (ok && error.empty()) {
        list_ = std::move(read);
        changes_.Notify(EChange::Scenario);
        return;
    }
    // What could not be read stays on the disk under another name.
    std::string message = ErrorReport(Format(texts::kScriptFileReadError, {file.string()}), error);
    if (std::string aside = KeepUnreadableFileAside(file, texts::kScriptSetAside); !aside.empty())
        message += "\r\r" + aside;
    hooks_.Warning(message);
}

bool ScenarioService::Change(std::string_view status, const std::function<void(TScriptList&)>& change) {
    const std::filesystem::path file = files_.Scenario();
    TScriptList next = list_;
    const bool ok = RunOperation(hooks_, {status, {}}, [&] {
        change(next);
        try {
            next.Save(file);
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(Format(texts::kScriptFileWriteError, {file.string()}), e.what()));
        }
    });
    if (!ok) return false;
    list_ = std::move(next);
    changes_.Notify(EChange::Scenario);
    return true;
}

bool ScenarioService::Open(const std::filesystem::path& file) {
    return Change(Format(texts::kScriptFileLoading, {file.string()}), [&](TScriptList& list) {
        try {
            list.Load(file);
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(Format(texts::kScriptFileReadError, {file.string()}), e.what()));
        }
    });
}

bool ScenarioService::Append(const std::filesystem::path& file) {
    return Change(Format(texts::kScriptFileLoading, {file.string()}), [&](TScriptList& list) {
        try {
            list.Append(file);
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(Format(texts::kScriptFileReadError, {file.string()}), e.what()));
        }
    });
}

bool ScenarioService::SaveAs(const std::filesystem::path& file) const {
    return RunOperation(hooks_, {Format(texts::kScriptFileSaving, {file.string()}), {}}, [&] {
        try {
            list_.Save(file);
        } catch (const std::exception& e) {
            throw ECorvelError(ErrorReport(Format(texts::kScriptFileWriteError, {file.string()}), e.what()));
        }
    });
}

bool ScenarioService::Add(std::string line) {
    return Change({}, [&](TScriptList& list) { list.Add(std::move(line)); });
}

bool ScenarioService::Replace(std::size_t index, std::string line) {
    return Change({}, [&](TScriptList& list) { list.Replace(index, std::move(line)); });
}

bool ScenarioService::Delete(std::vector<std::size_t> indexes) {
    return Change(texts::kScriptDeletingLines, [&](TScriptList& list) { list.Delete(std::move(indexes)); });
}

bool ScenarioService::Clear() {
    return Change({}, [](TScriptList& list) { list.Clear(); });
}

bool ScenarioService::SwapWithNext(std::size_t index) {
    return Change({}, [&](TScriptList& list) { list.SwapWithNext(index); });
}

}  // namespace corvel::app
