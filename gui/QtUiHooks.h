#pragma once

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "app/UiHooks.h"

namespace corvel::gui {

// The engine's user-interface services with real widgets: the busy cursor
// counter, the status text in panel 6, the message boxes with their captions
// and icons, the progress window (one at a time) and the wait window. Every
// message shown is also kept in Messages(), for the tests and the message log.
class QtUiHooks : public app::UiHooks {
  public:
    explicit QtUiHooks(QWidget* owner = nullptr);
    ~QtUiHooks() override;

    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetStatusLabel(QLabel* label) { status_ = label; }
    bool IsIdle() const { return busy_ == 0; }
    const QStringList& Messages() const { return messages_; }
    // Asks the running long operation to stop (the progress window's button).
    void RequestStop() { stop_ = true; }
    // Called each time the last busy operation ends.
    void SetIdleHandler(std::function<void()> handler) { onIdle_ = std::move(handler); }
    // An unattended run (nobody at the screen): messages go to standard error
    // instead of boxes that would wait for a click, and questions take their
    // default answer.
    void SetUnattended(bool unattended) { unattended_ = unattended; }
    bool Unattended() const { return unattended_; }
    // A line for the message log (standard error): kept in Messages(), never
    // waits for anybody.
    void Log(std::string_view text);

    void ShowStatus(std::string_view text) override;
    void BeginBusy() override;
    void EndBusy() override;
    void Error(std::string_view text) override;
    void Info(std::string_view text) override;
    void Warning(std::string_view text) override;
    bool Ask(std::string_view text, bool defaultYes) override;
    // The delete confirmation: caption texts::kMessageBoxDeleteWarning, default No.
    bool ConfirmDelete(int rows);
    void OpenProgress(std::string_view text, int maximum) override;
    // Shows the hidden cancel button of the open progress window, for an
    // operation that can stop between its steps (it asks StopRequested).
    void ShowProgressCancel();
    void StepProgress(int steps) override;
    void CloseProgress() override;
    void ShowWait(std::string_view text) override;
    void UpdateWait(std::string_view text) override;
    void CloseWait() override;
    void ProcessEvents() override;
    bool StopRequested() const override { return stop_; }

  private:
    void Box(int icon, const QString& caption, std::string_view text);

    QPointer<QWidget> owner_;
    QPointer<QLabel> status_;
    int busy_ = 0;
    bool stop_ = false;
    bool unattended_ = false;
    QStringList messages_;
    std::function<void()> onIdle_;
    QPointer<QWidget> progress_;
    QPointer<QProgressBar> gauge_;
    QPointer<QWidget> cancel_;
    QPointer<QWidget> wait_;
    QPointer<QLabel> waitText_;
};

}  // namespace corvel::gui
