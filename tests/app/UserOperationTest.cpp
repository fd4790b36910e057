// The one helper that runs a user operation at the service boundary.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakeUiHooks.h"
#include "app/UserOperation.h"

namespace corvel {
namespace {

struct OperationCase {
    const char* Name;
    app::OperationTexts Texts;
    std::function<bool()> Body;
    bool Result;
    std::vector<std::string> Statuses;  // in the order shown
    std::vector<std::string> Errors;
};

void PrintTo(const OperationCase& c, std::ostream* os) { *os << c.Name; }

class RunOperation : public ::testing::TestWithParam<OperationCase> {};

TEST_P(RunOperation, ReportsTheFixedTextThenTheMessageAndRestoresBusyStateAndStatus) {
    const OperationCase& c = GetParam();
    test::FakeUiHooks hooks;
    int busyInside = 0;
    const bool result = app::RunOperation(hooks, c.Texts, [&] {
        busyInside = hooks.Busy;
        return c.Body();
    });
    EXPECT_EQ(result, c.Result);
    EXPECT_EQ(busyInside, 1);
    EXPECT_EQ(hooks.Busy, 0);
    EXPECT_EQ(hooks.Statuses, c.Statuses);
    EXPECT_EQ(hooks.Errors, c.Errors);
}

const auto kFine = [] { return true; };
const auto kFileError = []() -> bool { throw EFileError("a.ldr: Нет доступа"); };

INSTANTIATE_TEST_SUITE_P(
    Outcomes, RunOperation,
    ::testing::Values(
        OperationCase{"SuccessShowsAndClearsItsStatus",
                      {"Сохранение...", "Ошибка записи!"},
                      kFine,
                      true,
                      {"Сохранение...", ""},
                      {}},
        OperationCase{"SuccessWithoutStatusLeavesTheStatusAlone", {{}, "Ошибка записи!"}, kFine, true, {}, {}},
        OperationCase{"BodyAnswerIsPassedOn", {}, [] { return false; }, false, {}, {}},
        OperationCase{"EngineErrorGetsTheFixedTextAnEmptyLineAndTheMessage",
                      {"Сохранение...", "Ошибка записи!"},
                      kFileError,
                      false,
                      {"Сохранение...", ""},
                      {"Ошибка записи!\r\ra.ldr: Нет доступа"}},
        OperationCase{"ErrorWithoutFixedTextShowsTheMessageAlone", {}, kFileError, false, {""}, {"a.ldr: Нет доступа"}},
        OperationCase{"AnyStandardErrorIsReportedToo",
                      {{}, "Ошибка!"},
                      []() -> bool { throw std::length_error("capacity"); },
                      false,
                      {""},
                      {"Ошибка!\r\rcapacity"}}),
    [](const auto& row) { return std::string(row.param.Name); });

// The command line's own failures (usage, exit codes) are not the engine's:
// they go through to the command, with the busy state given back.
TEST(RunOperationPassThrough, OtherExceptionsReachTheCallerAfterTheBusyStateIsRestored) {
    struct UsageFailure {};
    test::FakeUiHooks hooks;
    EXPECT_THROW(app::RunOperation(hooks, {"Работа...", "Ошибка!"}, []() -> bool { throw UsageFailure{}; }),
                 UsageFailure);
    EXPECT_EQ(hooks.Busy, 0);
    EXPECT_TRUE(hooks.Errors.empty());
}

TEST(ErrorReportText, StandsAloneWithoutAnOperationText) {
    EXPECT_EQ(ErrorReport("Ошибка чтения файла тиражей!", "нет файла"), "Ошибка чтения файла тиражей!\r\rнет файла");
    EXPECT_EQ(ErrorReport("", "нет файла"), "нет файла");
}

}  // namespace
}  // namespace corvel
