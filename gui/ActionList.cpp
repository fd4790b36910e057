#include "ActionList.h"

#include "GuiText.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/Errors.h"

namespace corvel::gui {

ActionList::ActionList(QtUiHooks& hooks, QObject* parent) : QObject(parent), hooks_(hooks) {}

QAction* ActionList::Add(const std::string& name, const QString& caption, const QKeySequence& key, const QString& hint,
                         std::function<bool()> enabled, std::function<void()> run) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromStdString(name));
    if (!key.isEmpty()) action->setShortcut(key);
    action->setStatusTip(hint.isEmpty() ? caption : hint);
    action->setToolTip(hint.isEmpty() ? caption : hint);
    connect(action, &QAction::triggered, this, [this, name, run = std::move(run)] {
        // A shortcut can arrive between two enabling updates: test again.
        UpdateAll();
        if (!actions_.at(name).Action->isEnabled()) return;
        // The operations report their own errors through the hooks; this is the
        // net for one that escaped them, so it never ends the program.
        try {
            run();
        } catch (const ECorvelError& e) {
            hooks_.Error(e.what());
        } catch (const std::exception& e) {
            hooks_.Error(ErrorReport(texts::kCommandError, e.what()));
        }
        UpdateAll();
    });
    actions_[name] = {action, std::move(enabled)};
    return action;
}

QAction* ActionList::AddWhileBusy(const std::string& name, const QString& caption, const QKeySequence& key,
                                  const QString& hint, std::function<bool()> enabled, std::function<void()> run) {
    QAction* action = Add(name, caption, key, hint, std::move(enabled), std::move(run));
    actions_[name].WhileBusy = true;
    return action;
}

QAction* ActionList::Find(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second.Action;
}

void ActionList::UpdateAll() {
    const bool idle = hooks_.IsIdle();
    for (auto& [name, entry] : actions_)
        entry.Action->setEnabled((idle || entry.WhileBusy) && (!entry.Enabled || entry.Enabled()));
}

}  // namespace corvel::gui
