#include "app/Workspace.h"

#include <string>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"

namespace corvel::app {

Workspace::Workspace(DataFiles files, UiHooks& hooks, std::size_t combsCapacity)
    : files_(std::move(files)),
      hooks_(hooks),
      archive_(files_, hooks_, changes_),
      statistics_(files_, hooks_, changes_, archive_),
      settings_(files_, hooks_, changes_, statistics_),
      combinations_(hooks_, changes_, archive_, statistics_, settings_, combsCapacity),
      ratings_(files_, hooks_, changes_),
      stakes_(files_, hooks_, changes_, archive_, statistics_),
      scenario_(files_, hooks_, changes_),
      systems_(files_, hooks_, combinations_, stakes_),
      tables_(files_, hooks_, changes_, archive_, combinations_, stakes_) {
    stakes_.SetRatingsSink(&ratings_);
}

void Workspace::Open() {
    OpenSettingsAndRegistry();
    OpenData();
}

void Workspace::OpenSettingsAndRegistry() {
    settings_.Load();
    statistics_.RegisterMethods();
}

void Workspace::OpenData() {
    archive_.SetOffset(0);
    archive_.Load();
    combinations_.Generate(true);
}

bool Workspace::LockFolder(std::chrono::milliseconds wait) {
    return lock_.Held() || lock_.Acquire(files_.Stakes(), wait);
}

Workspace::StartResult Workspace::Start(const StartupSwitches& switches, const std::function<void()>& dataLoaded) {
    if (!LockFolder()) {
        hooks_.Error(ErrorReport(texts::kExclusiveAccess, texts::kProgramWillClose));
        return StartResult::Refused;
    }
    // The stakes file is opened before the archive, so the draws loaded next
    // check the stakes that waited for them.
    if (!stakes_.Open()) {
        hooks_.Error(ErrorReport(texts::kExclusiveAccess, texts::kProgramWillClose));
        return StartResult::Refused;
    }
    ratings_.Load();
    scenario_.Load();
    const bool started = RunOperation(hooks_, {.Failure = texts::kStartupError}, [&] {
        OpenData();
        if (dataLoaded) dataLoaded();
    });
    if (!started) return StartResult::Running;
    // Nobody waits at the screen in an unattended run: the note goes to the
    // log, and the run goes on to its end.
    if (switches.LoadOnly) hooks_.Info(texts::kDownloadLater);
    if (switches.FullRecreate) {
        statistics_.BuildPrefetchFiles(true, 0x1FFF);
        return StartResult::Finished;
    }
    statistics_.BuildPrefetchFiles(switches.FullRefresh, 0);
    return switches.Unattended() ? StartResult::Finished : StartResult::Running;
}

}  // namespace corvel::app
