#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/StatisticsService.h"
#include "app/UiHooks.h"
#include "model/GameSettings.h"
#include "model/GameSettingsFile.h"
#include "model/ViewSettings.h"

namespace corvel::app {

// The prefetch groups whose values depend on what changed between two game
// settings records: 4 (matrix columns and rows) when the column count changed,
// 3 (channels) when the channel size changed, 5 (segments) when the segment
// map changed. Bit g of the result stands for group g.
std::uint32_t ChangedPrefetchGroups(const TConfigData& before, const TConfigData& after);

// The group of the shredding formulas.
inline constexpr std::uint32_t kShreddingGroups = 1u << 12;

// Every settings group of the run: the game settings (kept in the registry,
// where every method reads them; this service is their only writer), the
// generation mode, the shredding formulas, the proxy and the view settings.
// Each change is one transaction: the group is written to its file; when the
// write fails memory is put back to what the file holds and false returned
// (reported); when it succeeds the methods are registered again and the
// prefetch caches that depend on the change rebuilt, as the change needs, and
// a change the views depend on is announced (Settings).
class SettingsService {
  public:
    SettingsService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes, StatisticsService& statistics);

    const TGameSettings& Game() const { return statistics_.Registry().Settings; }
    const TProxySettings& Proxy() const { return proxy_; }
    ViewSettings& View() { return view_; }

    // Reads the game, generation and shredding groups (start-up); an error is
    // reported and the defaults stay. The person's coefficients are in effect.
    void Load();
    // Reads the proxy group again (the dialog shows what the file holds).
    bool LoadProxy();
    // The view settings file; a read error is reported and an empty store kept.
    void LoadView();

    // The transactions of the settings dialogs.
    bool SaveConfig(const TConfigData& edited);
    bool SaveShredding(const std::array<std::string, 3>& formulas, const std::array<std::int32_t, 3>& digits);
    bool SaveGenerate(int mode, const std::string& parameters);
    bool SaveProxy(const TProxySettings& proxy);
    // Writes the view settings (only when something changed, unless forced).
    bool SaveView(bool force = false);

  private:
    TGameSettings& Stored() { return statistics_.Registry().Settings; }

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    StatisticsService& statistics_;
    TProxySettings proxy_;
    ViewSettings view_;
};

}  // namespace corvel::app
