#include "app/SettingsService.h"

#include "app/UserOperation.h"
#include "i18n/Texts.h"

namespace corvel::app {

std::uint32_t ChangedPrefetchGroups(const TConfigData& before, const TConfigData& after) {
    std::uint32_t groups = 0;
    if (before.MatrixCols != after.MatrixCols) groups |= 1u << 4;
    if (before.ChannelSize != after.ChannelSize) groups |= 1u << 3;
    if (before.MatrixSegments != after.MatrixSegments) groups |= 1u << 5;
    return groups;
}

SettingsService::SettingsService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes,
                                 StatisticsService& statistics)
    : files_(files), hooks_(hooks), changes_(changes), statistics_(statistics), view_(files.ViewSettings()) {}

void SettingsService::Load() {
    TGameSettings& settings = Stored();
    RunOperation(hooks_, {.Failure = texts::kConfigReadError}, [&] {
        LoadGameSettings(files_.GameSettings(), settings);
        LoadGenerateSettings(files_.GameSettings(), settings);
        LoadShreddingSettings(files_.GameSettings(), settings);
        proxy_ = LoadProxySettings(files_.GameSettings());
    });
    settings.CDLDefault = settings.Config.CDL;
}

bool SettingsService::LoadProxy() {
    return RunOperation(hooks_, {texts::kConfigLoading, texts::kConfigReadError},
                        [&] { proxy_ = LoadProxySettings(files_.GameSettings()); });
}

void SettingsService::LoadView() {
    RunOperation(hooks_, {.Failure = texts::kViewSettingsLoadError},
                 [&] { view_ = ViewSettings::Load(files_.ViewSettings()); });
}

bool SettingsService::SaveView(bool force) {
    return RunOperation(hooks_, {.Failure = texts::kViewSettingsSaveError}, [&] {
        if (force)
            view_.Save();
        else
            view_.SaveIfModified();
    });
}

bool SettingsService::SaveConfig(const TConfigData& edited) {
    TGameSettings& settings = Stored();
    const TConfigData before = settings.Config;
    const TCdlCoefficients beforeDefault = settings.CDLDefault;
    BusyGuard busy(hooks_);
    settings.Config = edited;
    settings.CDLDefault = edited.CDL;
    if (!RunOperation(hooks_, {texts::kConfigSaving, texts::kConfigWriteError},
                      [&] { SaveGameSettings(files_.GameSettings(), settings); })) {
        // Memory keeps what the file holds; the person may try again or cancel.
        settings.Config = before;
        settings.CDLDefault = beforeDefault;
        return false;
    }
    // The parameter ranges of several families follow the geometry.
    statistics_.ReloadMethods();
    if (const std::uint32_t groups = ChangedPrefetchGroups(before, edited))
        statistics_.BuildPrefetchFiles(false, groups);
    changes_.Notify(EChange::Settings);
    return true;
}

bool SettingsService::SaveShredding(const std::array<std::string, 3>& formulas,
                                    const std::array<std::int32_t, 3>& digits) {
    TGameSettings& settings = Stored();
    const auto formulasBefore = settings.Formulas;
    const auto digitsBefore = settings.FormulaDigits;
    const bool changed = formulas != formulasBefore || digits != digitsBefore;
    BusyGuard busy(hooks_);
    settings.Formulas = formulas;
    settings.FormulaDigits = digits;
    if (!RunOperation(hooks_, {texts::kConfigSaving, texts::kConfigWriteError},
                      [&] { SaveShreddingSettings(files_.GameSettings(), settings); })) {
        settings.Formulas = formulasBefore;
        settings.FormulaDigits = digitsBefore;
        return false;
    }
    // The methods take their formulas when they are registered, so the
    // caches are rebuilt after the registration.
    statistics_.ReloadMethods();
    if (changed) statistics_.BuildPrefetchFiles(false, kShreddingGroups);
    changes_.Notify(EChange::Settings);
    return true;
}

bool SettingsService::SaveGenerate(int mode, const std::string& parameters) {
    TGameSettings& settings = Stored();
    const std::uint8_t oldMode = settings.CombsGenerateMode;
    std::string oldParameters = settings.CombsGenerateParameters;
    settings.CombsGenerateMode = static_cast<std::uint8_t>(mode);
    settings.CombsGenerateParameters = parameters;
    if (RunOperation(hooks_, {texts::kConfigSaving, texts::kConfigWriteError},
                     [&] { SaveGenerateSettings(files_.GameSettings(), settings); }))
        return true;
    settings.CombsGenerateMode = oldMode;
    settings.CombsGenerateParameters = std::move(oldParameters);
    return false;
}

bool SettingsService::SaveProxy(const TProxySettings& proxy) {
    if (!RunOperation(hooks_, {texts::kConfigSaving, texts::kConfigWriteError},
                      [&] { SaveProxySettings(files_.GameSettings(), proxy); }))
        return false;
    proxy_ = proxy;
    return true;
}

}  // namespace corvel::app
