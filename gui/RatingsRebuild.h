#pragma once

namespace corvel::gui {

struct GuiContext;

// Recomputes the ratings from the stakes now in the file. Ratings that hold
// rows may keep data of stakes deleted since, which the rebuild loses: the
// person is asked first (default No). False when nothing was rebuilt.
bool RebuildRatingsAsked(GuiContext& ctx);

}  // namespace corvel::gui
