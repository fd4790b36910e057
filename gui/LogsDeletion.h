#pragma once

#include <functional>

#include "stakes/StakeLogs.h"

namespace corvel::gui {

class QtUiHooks;

// Deletes a kind of log files with the status text `searching` and shows the
// outcome: `notFound` when there were none, else what was deleted and what
// stayed (a warning when some file could not be deleted).
void DeleteLogsShowingOutcome(QtUiHooks& hooks, std::string_view searching, std::string_view notFound,
                              const std::function<TStakeLogsDeletion()>& deleteLogs);

}  // namespace corvel::gui
