#include "RatingsRebuild.h"

#include "GuiContext.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"

namespace corvel::gui {

bool RebuildRatingsAsked(GuiContext& ctx) {
    if (!ctx.Ws.Ratings().Table().Empty() && !ctx.Hooks.Ask(texts::kRatingsRebuildQuestion, false)) return false;
    return ctx.Ws.Ratings().Rebuild(ctx.Ws.Stakes());
}

}  // namespace corvel::gui
