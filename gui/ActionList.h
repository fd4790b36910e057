#pragma once

#include <QAction>
#include <QKeySequence>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <string>

namespace corvel::gui {

class QtUiHooks;

// Every command of the desktop program as a named action with an enabling
// test and a handler. The enabling test always starts with the idle test:
// nothing can start while a long operation runs. A handler's engine errors are
// caught here and shown in the error box.
class ActionList : public QObject {
    Q_OBJECT
  public:
    ActionList(QtUiHooks& hooks, QObject* parent = nullptr);

    QAction* Add(const std::string& name, const QString& caption, const QKeySequence& key, const QString& hint,
                 std::function<bool()> enabled, std::function<void()> run);
    // An action that stays usable while a long operation runs (it stops one).
    QAction* AddWhileBusy(const std::string& name, const QString& caption, const QKeySequence& key, const QString& hint,
                          std::function<bool()> enabled, std::function<void()> run);
    QAction* Find(const std::string& name) const;
    // Runs the enabling tests of every action.
    void UpdateAll();

  private:
    struct Entry {
        QAction* Action;
        std::function<bool()> Enabled;
        bool WhileBusy = false;
    };
    QtUiHooks& hooks_;
    std::map<std::string, Entry> actions_;
};

}  // namespace corvel::gui
