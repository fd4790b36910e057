#pragma once

#include <string>

namespace corvel {
struct TFilterItem;
namespace app {
class Workspace;
class UiHooks;
}  // namespace app
}  // namespace corvel

namespace corvel::gui {

// Applies a filter definition to the current combination list as a scenario
// step does: each part of the definition in turn (one per window length and
// level value), while the list holds more than one combination. Each filter
// step records its row in the applied filters and leaves its undo copy; the
// weight coefficients are back at the stored ones afterwards. Errors are
// shown; false after an error or a stop request.
bool ApplyFilterDefinition(app::Workspace& ws, const TFilterItem& item, app::UiHooks& hooks);

}  // namespace corvel::gui
