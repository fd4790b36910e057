#pragma once

#include <optional>

#include "model/GraphSeries.h"

class QWidget;

namespace corvel::gui {

class GraphWindow;

// The graph window of the main window `owner` belongs to: one for the whole
// program, made the first time a graph is shown and reused after.
GraphWindow* SharedGraphWindow(QWidget* owner);
// Shows the graph there (nothing when there is none: its error was reported).
void ShowGraph(QWidget* owner, const std::optional<TGraph>& graph);

}  // namespace corvel::gui
