#pragma once

#include <string>
#include <string_view>

namespace corvel::app {

// The only way the engine speaks to a person. The desktop program implements
// it with widgets, the command line with stderr and its flags, the tests with
// a scripted fake. No engine code opens a window.
class UiHooks {
public:
    virtual ~UiHooks() = default;

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
    // ECorvelError "Окно индикатора уже создано!".
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
    virtual bool StopRequested() const = 0;
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

// Reports a long loop's progress at most once per percent: call Tick(i) with
// the index reached; it returns true when a new percent began (and then the
// status text may be updated and events processed).
class PercentTicker {
public:
    explicit PercentTicker(std::size_t total) : step_(total / 100 ? total / 100 : 1) {}
    bool Tick(std::size_t done) {
        if (done < next_) return false;
        next_ = (done / step_ + 1) * step_;
        return true;
    }
    double Percent(std::size_t done, std::size_t total) const { return total ? 100.0 * done / total : 100.0; }

private:
    std::size_t step_;
    std::size_t next_ = 0;
};

}  // namespace corvel::app
