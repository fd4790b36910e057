#include "CliHooks.h"

#include <ostream>

#include "CliIo.h"
#include "i18n/Texts.h"
#include "model/Errors.h"

namespace corvel::cli {

void CliHooks::ShowStatus(std::string_view text) {
    // The same text twice in a row (a repaint) is not repeated.
    if (quiet_ || text.empty() || text == lastStatus_) return;
    lastStatus_ = std::string(text);
    err_ << TerminalText(lastStatus_) << '\n';
}

void CliHooks::Error(std::string_view text) { err_ << TerminalText(std::string(text)) << '\n'; }

void CliHooks::Info(std::string_view text) { err_ << TerminalText(std::string(text)) << '\n'; }

void CliHooks::Warning(std::string_view text) { err_ << TerminalText(std::string(text)) << '\n'; }

bool CliHooks::Ask(std::string_view text, bool defaultYes) {
    err_ << TerminalText(std::string(text)) << ' ' << (defaultYes ? texts::kCliAnswerYes : texts::kCliAnswerNo).Str()
         << '\n';
    return defaultYes;
}

void CliHooks::OpenProgress(std::string_view text, int maximum) {
    if (progressOpen_) throw ECorvelError(texts::kProgressExists);
    progressOpen_ = true;
    progressText_ = std::string(text);
    progressMax_ = maximum;
    progressPos_ = 0;
    progressShown_ = -1;
}

void CliHooks::StepProgress(int steps) {
    progressPos_ = std::min(progressMax_, progressPos_ + steps);
    const int percent = progressMax_ > 0 ? progressPos_ * 100 / progressMax_ : 100;
    if ((quiet_ && !showProgress_) || percent == progressShown_) return;
    progressShown_ = percent;
    err_ << progressText_ << ' ' << percent << " %\n";
}

void CliHooks::CloseProgress() { progressOpen_ = false; }

}  // namespace corvel::cli
