#pragma once

#include <exception>
#include <string_view>
#include <type_traits>

#include "app/UiHooks.h"
#include "model/Errors.h"

namespace corvel::app {

// Keeps the progress window open for one operation, also when it ends with
// an error.
class ProgressWindow {
  public:
    ProgressWindow(UiHooks& hooks, std::string_view text, int maximum) : hooks_(hooks) {
        hooks_.OpenProgress(text, maximum);
    }
    ~ProgressWindow() { hooks_.CloseProgress(); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

  private:
    UiHooks& hooks_;
};

// What one user operation shows: the status text while it runs (none: the
// status is left alone unless the operation fails) and the fixed text its
// error report starts with (none: the error's message stands alone).
struct OperationTexts {
    std::string_view Status{};
    std::string_view Failure{};
};

// Runs one user operation at the service boundary, the one place where engine
// errors become messages: the busy state is held while the body runs; an
// error it throws is reported through the hooks as the operation's fixed text,
// an empty line and the error's message, after the status text is cleared;
// the busy state is given back in every case, and the status text cleared
// whenever the operation showed one.
// Returns false after an error; a body that returns bool passes its own
// answer on. Errors that are not the engine's (the command line's usage
// failures) go through untouched.
template <typename Body>
bool RunOperation(UiHooks& hooks, OperationTexts texts, Body&& body) {
    BusyGuard busy(hooks);
    if (!texts.Status.empty()) hooks.ShowStatus(texts.Status);
    try {
        bool ok = true;
        if constexpr (std::is_same_v<std::invoke_result_t<Body>, bool>)
            ok = body();
        else
            body();
        if (!texts.Status.empty()) hooks.ShowStatus("");
        return ok;
    } catch (const std::exception& e) {
        hooks.ShowStatus("");
        hooks.Error(ErrorReport(texts.Failure, e.what()));
        return false;
    }
}

}  // namespace corvel::app
