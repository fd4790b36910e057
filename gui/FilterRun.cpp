#include "FilterRun.h"

#include <vector>

#include "app/UiHooks.h"
#include "app/Workspace.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "stats/FilterDefinition.h"
#include "stats/StatList.h"

namespace corvel::gui {
namespace {

constexpr const char* kApplyingFilter = "Применение фильтра к списку комбинаций...";

}  // namespace

bool ApplyFilterDefinition(app::Workspace& ws, const TFilterItem& item, app::UiHooks& hooks) {
    std::vector<TFilterPart> parts;
    try {
        if (item.Method < 0)
            throw ECorvelError(
                Format(texts::kBadFilterDefinition, {FilterItemText(item, ws.Stats())}));
        parts = ExpandFilterItem(item, ws.Stats());
    } catch (const ECorvelError& e) {
        hooks.Error(e.what());
        return false;
    }
    app::BusyGuard busy(hooks);
    hooks.OpenProgress(kApplyingFilter, static_cast<int>(parts.size()));
    bool ok = true;
    try {
        for (std::size_t i = 0; i < parts.size() && ok; ++i) {
            if (ws.Combs().Current().Count() <= 1) break;
            ok = ws.ApplyFilterPart(parts[i]);
            hooks.StepProgress(1);
        }
    } catch (const ECorvelError& e) {
        // The list stays as the finished steps left it; each can be undone.
        hooks.Error(e.what());
        ok = false;
    }
    hooks.CloseProgress();
    // A part with its own coefficients must not leave them to the tables the
    // user computes next.
    ws.ApplyFilterCoefficients(false, {});
    hooks.ShowStatus("");
    return ok;
}

}  // namespace corvel::gui
