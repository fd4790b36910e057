#pragma once

#include <string_view>

namespace corvel {

// What a long loop of the engine may tell the person and ask of them: a
// transient status text (which also lets pending window messages run), steps
// of an open progress window, and whether a stop was requested. It lives at
// the bottom so that the combination list, the statistics and the filters can
// report progress without knowing about message boxes or windows (the
// user-interface hooks of app/ are one such progress).
class TProgress {
  public:
    virtual ~TProgress() = default;

    // Shows the text (empty clears it) and lets pending messages run.
    virtual void Status(std::string_view text) = 0;
    // Advances the open progress window, if any.
    virtual void Step(int steps = 1) = 0;
    virtual bool StopRequested() const = 0;
};

// Progress nobody watches: for tests and for loops run inside another
// operation that reports on its own.
class TSilentProgress final : public TProgress {
  public:
    void Status(std::string_view) override {}
    void Step(int) override {}
    bool StopRequested() const override { return false; }
};

}  // namespace corvel
