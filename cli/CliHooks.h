#pragma once

#include <csignal>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/UiHooks.h"

namespace corvel::cli {

// Set by the program's SIGINT handler (Ctrl+C): a long operation stops at its
// next check and the command ends with exit 1, writing nothing more.
inline volatile std::sig_atomic_t gStopRequested = 0;

// The person behind the command line: status and progress go to stderr as
// lines, errors and warnings too; questions take their default answer. The
// exit code follows the results of the operations, not what was shown.
class CliHooks : public app::UiHooks {
  public:
    CliHooks(std::ostream& err, bool quiet) : err_(err), quiet_(quiet) {}

    // Without quiet, status texts are shown too.
    void SetQuiet(bool quiet) { quiet_ = quiet; }
    // Progress lines even while quiet (a long step of a quiet command).
    void ShowProgress(bool on) { showProgress_ = on; }

    void ShowStatus(std::string_view text) override;
    void BeginBusy() override {}
    void EndBusy() override {}
    void Error(std::string_view text) override;
    void Info(std::string_view text) override;
    void Warning(std::string_view text) override;
    bool Ask(std::string_view text, bool defaultYes) override;
    void OpenProgress(std::string_view text, int maximum) override;
    void StepProgress(int steps) override;
    void CloseProgress() override;
    void ShowWait(std::string_view text) override { ShowStatus(text); }
    void UpdateWait(std::string_view text) override { ShowStatus(text); }
    void CloseWait() override {}
    void ProcessEvents() override {}
    bool StopRequested() const override { return gStopRequested != 0; }

  private:
    std::ostream& err_;
    bool quiet_;
    bool showProgress_ = false;
    std::string lastStatus_;
    std::string progressText_;
    int progressMax_ = 0;
    int progressPos_ = 0;
    int progressShown_ = -1;
    bool progressOpen_ = false;
};

}  // namespace corvel::cli
