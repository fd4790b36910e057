#pragma once

#include <string>
#include <string_view>

#include "model/Progress.h"

namespace corvel::app {

// The only way the engine speaks to a person. The desktop program implements
// it with widgets, the command line with stderr and its flags, the tests with
// a scripted fake. No engine code opens a window: the services of app/ use
// the hooks at their boundary, and hand the loops below them only the
// progress face (status with pending messages, steps, the stop request).
class UiHooks : public TProgress {
  public:
    // Transient text of status panel 6; empty clears it.
    virtual void ShowStatus(std::string_view text) = 0;

    // Busy state: a counter; the hourglass shows while it is above zero.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;

    virtual void Error(std::string_view text) = 0;
    virtual void Info(std::string_view text) = 0;
    virtual void Warning(std::string_view text) = 0;
    // A Yes/No question; `defaultYes` picks the default button.
    virtual bool Ask(std::string_view text, bool defaultYes) = 0;

    // Progress window: only one at a time. Opening a second throws
    // ECorvelError texts::kProgressExists.
    virtual void OpenProgress(std::string_view text, int maximum) = 0;
    virtual void StepProgress(int steps = 1) = 0;
    virtual void CloseProgress() = 0;

    // Wait window with one text.
    virtual void ShowWait(std::string_view text) = 0;
    virtual void UpdateWait(std::string_view text) = 0;
    virtual void CloseWait() = 0;

    // Lets pending window messages run (repaint, a stop request).
    virtual void ProcessEvents() = 0;
    // True once the person asked the running operation to stop.
    bool StopRequested() const override = 0;

    void Status(std::string_view text) final {
        ShowStatus(text);
        ProcessEvents();
    }
    void Step(int steps) final { StepProgress(steps); }
};

// Keeps the busy state for one operation, also when it ends with an error.
class BusyGuard {
  public:
    explicit BusyGuard(UiHooks& hooks) : hooks_(hooks) { hooks_.BeginBusy(); }
    ~BusyGuard() { hooks_.EndBusy(); }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    UiHooks& hooks_;
};

}  // namespace corvel::app
