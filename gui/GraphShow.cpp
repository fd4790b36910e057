#include "GraphShow.h"

#include <QWidget>

#include "GraphWindow.h"

namespace corvel::gui {

GraphWindow* SharedGraphWindow(QWidget* owner) {
    QWidget* top = owner ? owner->window() : nullptr;
    if (top)
        if (auto* existing =
                top->findChild<GraphWindow*>(QStringLiteral("SharedGraphWindow"), Qt::FindDirectChildrenOnly))
            return existing;
    auto* window = new GraphWindow(top);
    window->setObjectName(QStringLiteral("SharedGraphWindow"));
    return window;
}

void ShowGraph(QWidget* owner, const std::optional<TGraph>& graph) {
    if (!graph) return;
    SharedGraphWindow(owner)->Show(*graph);
}

}  // namespace corvel::gui
