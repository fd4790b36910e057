#include "tabs/DrawsTab.h"

namespace corvel::gui {

DrawsTab::DrawsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

void DrawsTab::Refresh(bool) {}

}  // namespace corvel::gui
