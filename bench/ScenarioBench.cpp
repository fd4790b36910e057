// Speed of a scenario back-test against the work it cannot avoid: a test of
// one line (the full start list, three filter steps, a random stake) over the
// last N draws, next to the same generations and filter steps run alone,
// one after the other, in the same run. What the test adds - variants,
// stakes, their comments, checking, the report - should stay within half of
// that. A missed target is reported, never turned into a failure.
//
// Usage: corvel_scenario_bench [--quick]   (--quick: 3 draws instead of 100)

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/ScenarioRunner.h"
#include "app/Workspace.h"
#include "scenarios/ScriptVariants.h"
#include "stats/StatList.h"

namespace {

namespace fs = std::filesystem;
using namespace corvel;

// Hooks that show nothing and never stop.
class QuietHooks : public app::UiHooks {
  public:
    void ShowStatus(std::string_view) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    void Error(std::string_view text) override { std::fprintf(stderr, "error: %.*s\n", int(text.size()), text.data()); }
    void Info(std::string_view) override {}
    void Warning(std::string_view) override {}
    bool Ask(std::string_view, bool defaultYes) override { return defaultYes; }
    void OpenProgress(std::string_view, int) override {}
    void StepProgress(int) override {}
    void CloseProgress() override {}
    void ShowWait(std::string_view) override {}
    void UpdateWait(std::string_view) override {}
    void CloseWait() override {}
    void ProcessEvents() override {}
    bool StopRequested() const override { return false; }
};

constexpr const char* kLine =
    "FULL#RAND|TMD1#EVEN:10#CMV:2#SF:0|TMD1#SUMS:50#CMV:2#SF:0|TMF1#DIFM:30#CMV:1#SF:0| | | | |bench";

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
    const bool quick = argc > 1 && std::string_view(argv[1]) == "--quick";
    const int draws = quick ? 3 : 100;
    const fs::path dir = fs::temp_directory_path() / ("corvel-scenario-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::copy_file(fs::path(CORVEL_SAMPLE_DIR) / "CorvelLotto_6x48.ldr", dir / "CorvelLotto_6x48.ldr");
    QuietHooks hooks;
    {
        app::Workspace ws{app::DataFiles{dir}, hooks};
        ws.Open();
        if (!ws.Stakes().Open()) return EXIT_FAILURE;
        const TScriptVariants variants(ScriptLineFilters(kLine), ws.Statistics().Registry());
        const TFilterRec parts = variants.Variant(0);

        // The test's own generations and filter steps, alone.
        auto t0 = std::chrono::steady_clock::now();
        for (int o = draws; o >= 1; --o) {
            ws.Archive().SetOffset(o);
            ws.Combinations().Generate(false);
            for (const TFilterPart& part : parts)
                if (part.Active && ws.Combinations().List().Current().Count() > 1)
                    ws.Combinations().ApplyFilterPart(part);
        }
        const double alone = Ms(std::chrono::steady_clock::now() - t0);
        ws.Archive().SetOffset(0);

        app::ScenarioRunner runner(ws);
        app::TScenarioRunOptions options;
        options.Seed = 1;
        t0 = std::chrono::steady_clock::now();
        const bool ok = runner.Test({kLine}, draws, options);
        const double test = Ms(std::chrono::steady_clock::now() - t0);

        const double ratio = test / alone;
        constexpr double kTarget = 1.5;
        std::printf("scenario test of %d draws: %.1f ms; its generations and filter steps alone: %.1f ms\n", draws,
                    test, alone);
        std::printf("ratio %.3f, target <= %.2f: %s%s\n", ratio, kTarget, ratio <= kTarget ? "ok" : "MISSED",
                    ok ? "" : " (the test reported an error)");
        if (quick) std::printf("(quick run: the timings are not representative)\n");
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return EXIT_SUCCESS;
}
