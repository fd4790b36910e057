#include "LogsDeletion.h"

#include "QtUiHooks.h"

namespace corvel::gui {

void DeleteLogsShowingOutcome(QtUiHooks& hooks, std::string_view searching, std::string_view notFound,
                              const std::function<TStakeLogsDeletion()>& deleteLogs) {
    TStakeLogsDeletion result;
    {
        app::BusyGuard busy(hooks);
        hooks.ShowStatus(searching);
        result = deleteLogs();
        hooks.ShowStatus("");
    }
    if (result.Found == 0 && result.Errors.empty()) {
        hooks.Info(notFound);
        return;
    }
    const std::string text = StakeLogsDeletionText(result);
    if (result.Errors.empty())
        hooks.Info(text);
    else
        hooks.Warning(text);
}

}  // namespace corvel::gui
