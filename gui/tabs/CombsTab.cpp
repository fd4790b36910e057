#include "tabs/CombsTab.h"

namespace corvel::gui {

CombsTab::CombsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

void CombsTab::Refresh(bool) {}

}  // namespace corvel::gui
