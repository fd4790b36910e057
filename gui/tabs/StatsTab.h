#pragma once

#include <QList>
#include <QWidget>

#include "GuiContext.h"

class QAction;

namespace corvel::gui {

class StatsTab : public QWidget {
    Q_OBJECT
public:
    StatsTab(GuiContext& ctx, QWidget* parent = nullptr);
    // The tab's commands, in menu order (the main window builds its menu).
    QList<QAction*> MenuActions() const { return menuActions_; }

public slots:
    void Refresh(bool force);

private:
    GuiContext& ctx_;
    QList<QAction*> menuActions_;
};

}  // namespace corvel::gui
