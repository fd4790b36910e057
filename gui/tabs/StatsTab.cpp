#include "tabs/StatsTab.h"

namespace corvel::gui {

StatsTab::StatsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

void StatsTab::Refresh(bool) {}

}  // namespace corvel::gui
