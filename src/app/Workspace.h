#pragma once

#include <functional>

#include "app/ArchiveService.h"
#include "app/Changes.h"
#include "app/CombinationsService.h"
#include "app/DataFolder.h"
#include "app/FolderLock.h"
#include "app/SettingsService.h"
#include "app/RatingsService.h"
#include "app/ScenarioService.h"
#include "app/StakesService.h"
#include "app/StartupSwitches.h"
#include "app/StatisticsService.h"
#include "app/SystemsService.h"
#include "app/TablesService.h"
#include "app/UiHooks.h"

namespace corvel::app {

// The composition root of one run: creates, in start-up order, the services
// that own the long-lived objects (archive, statistics, settings,
// combinations; stakes, ratings and scenarios take their places beside them),
// wires them to one change notifier and holds the per-folder lock. Every user
// command of the desktop program and of the command line is an operation of
// one of the services; errors are reported through the hooks at the
// operation's boundary, with the busy state and the status text restored.
class Workspace {
  public:
    Workspace(DataFiles files, UiHooks& hooks, std::size_t combsCapacity = kAllCombinations);
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const DataFiles& Files() const { return files_; }
    UiHooks& Hooks() { return hooks_; }

    ArchiveService& Archive() { return archive_; }
    const ArchiveService& Archive() const { return archive_; }
    StatisticsService& Statistics() { return statistics_; }
    const StatisticsService& Statistics() const { return statistics_; }
    SettingsService& Settings() { return settings_; }
    const SettingsService& Settings() const { return settings_; }
    CombinationsService& Combinations() { return combinations_; }
    const CombinationsService& Combinations() const { return combinations_; }
    StakesService& Stakes() { return stakes_; }
    const StakesService& Stakes() const { return stakes_; }
    RatingsService& Ratings() { return ratings_; }
    const RatingsService& Ratings() const { return ratings_; }
    ScenarioService& Scenario() { return scenario_; }
    SystemsService& Systems() { return systems_; }
    const ScenarioService& Scenario() const { return scenario_; }
    TablesService& Tables() { return tables_; }
    const TablesService& Tables() const { return tables_; }

    ChangeNotifier& Changes() { return changes_; }
    const TRevisions& Revisions() const { return changes_.Revisions(); }

    // Start-up in order: settings, registry with the user's captions, archive,
    // combination list with the stored generation mode.
    void Open();
    // The two halves of Open: what a window needs before it shows, and the
    // data loaded once it is shown.
    void OpenSettingsAndRegistry();
    void OpenData();

    // The per-folder lock, waiting up to `wait` while another process holds
    // it. False when it cannot be taken.
    bool LockFolder(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    const FolderLock& Lock() const { return lock_; }

    enum class StartResult {
        Running,   // the data are loaded, the program goes on
        Finished,  // an unattended run did its work; the program ends
        Refused,   // another copy holds the folder (reported); the program ends
    };
    // The start-up once a window shows: the folder lock (refused: the
    // exclusive-access error), the data, `dataLoaded` (the front end shows
    // them), then the optional work the switches ask for: building missing
    // prefetch caches (all of them anew with "fullrecreate") and, for an
    // unattended run, the end.
    StartResult Start(const StartupSwitches& switches, const std::function<void()>& dataLoaded);

  private:
    DataFiles files_;
    UiHooks& hooks_;
    ChangeNotifier changes_;
    FolderLock lock_;
    ArchiveService archive_;
    StatisticsService statistics_;
    SettingsService settings_;
    CombinationsService combinations_;
    RatingsService ratings_;
    StakesService stakes_;
    ScenarioService scenario_;
    SystemsService systems_;
    TablesService tables_;
};

}  // namespace corvel::app
