#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/UiHooks.h"
#include "i18n/Texts.h"
#include "model/Errors.h"

namespace corvel::test {

// A scripted stand-in for the person: records everything the engine shows and
// answers questions from a queue (the default button when the queue is empty).
class FakeUiHooks : public app::UiHooks {
  public:
    std::vector<std::string> Statuses;
    std::vector<std::string> Errors, Infos, Warnings, Questions;
    std::deque<bool> Answers;
    std::vector<std::string> ProgressTexts;
    int ProgressSteps = 0;
    int ProgressMaximum = 0;
    bool ProgressOpen = false;
    int Busy = 0;
    int MaxBusy = 0;
    int EventsProcessed = 0;
    bool Stop = false;
    std::vector<std::string> WaitTexts;

    void ShowStatus(std::string_view text) override { Statuses.emplace_back(text); }
    void BeginBusy() override { MaxBusy = std::max(MaxBusy, ++Busy); }
    void EndBusy() override {
        if (Busy > 0) --Busy;
    }
    void Error(std::string_view text) override { Errors.emplace_back(text); }
    void Info(std::string_view text) override { Infos.emplace_back(text); }
    void Warning(std::string_view text) override { Warnings.emplace_back(text); }
    bool Ask(std::string_view text, bool defaultYes) override {
        Questions.emplace_back(text);
        if (Answers.empty()) return defaultYes;
        bool a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void OpenProgress(std::string_view text, int maximum) override {
        if (ProgressOpen) throw ECorvelError(texts::kProgressExists);
        ProgressOpen = true;
        ProgressTexts.emplace_back(text);
        ProgressMaximum = maximum;
        ProgressSteps = 0;
    }
    void StepProgress(int steps) override { ProgressSteps = std::min(ProgressMaximum, ProgressSteps + steps); }
    void CloseProgress() override { ProgressOpen = false; }
    void ShowWait(std::string_view text) override { WaitTexts.emplace_back(text); }
    void UpdateWait(std::string_view text) override { WaitTexts.emplace_back(text); }
    void CloseWait() override {}
    void ProcessEvents() override { ++EventsProcessed; }
    bool StopRequested() const override { return Stop; }
};

}  // namespace corvel::test
