// Speed of the stakes file, each case next to its reference in the same run:
//   - checking every stake of a file against the archive, against reading the
//     file once with one read call;
//   - appending stakes made from a list, against writing the same bytes with
//     one buffered write;
//   - rebuilding the ratings from the checked stakes (10,000 distinct
//     comments), against reading the file once.
// Each case runs three times; the best time of each is compared. A missed
// target is reported, never turned into a failure.
//
// Usage: corvel_stakes_bench [--quick] [--stakes N]
//   --quick runs over 20,000 stakes, for a smoke run.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GameSettings.h"
#include "ratings/RatingsTable.h"
#include "stakes/StakeCheck.h"
#include "stakes/StakesFile.h"

namespace {

namespace fs = std::filesystem;
using namespace corvel;

double BestMs(int runs, const std::function<void()>& prepare, const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, ms);
    }
    return best;
}

void Fail(const char* what) {
    std::fprintf(stderr, "corvel_stakes_bench: %s\n", what);
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t stakes = 1'000'000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) stakes = 20'000;
        if (std::strcmp(argv[i], "--stakes") == 0 && i + 1 < argc) stakes = std::strtoull(argv[++i], nullptr, 10);
    }
    const fs::path dir = fs::temp_directory_path() / ("corvel-stakes-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path path = dir / "CorvelLotto_6x48.lsk";

    // 1,000 draws in the archive; the stakes are spread over them.
    TDrawsArray draws;
    for (int d = 1; d <= 1000; ++d) {
        TDrawRec rec;
        rec.Number = d;
        for (int k = 0; k < 6; ++k)
            rec.Numbers[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(1 + (d * 7 + k * 8) % 48);
        draws.push_back(rec);
    }
    std::vector<TStakeRec> recs(stakes);
    for (std::size_t i = 0; i < stakes; ++i) {
        TStakeRec& r = recs[i];
        r.Kind = TStakeKind::Manual;
        r.Draw = static_cast<std::int32_t>(1 + (i / 1000) % 1000);
        r.Stake.Count = 6;
        for (int k = 0; k < 6; ++k)
            r.Stake.Values[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(1 + k * 7 + i % 6);
        r.SetComment("03.012: Сценарий " + std::to_string(i % 10'000) + " @ FULL#RAND + TSD1#EVEN:10#LMV:1#ST:3");
    }
    std::vector<std::uint8_t> bytes(stakes * TStakeRec::kFileSize);
    for (std::size_t i = 0; i < stakes; ++i) EncodeStakeRec(recs[i], bytes.data() + i * TStakeRec::kFileSize);
    auto writeFile = [&] {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            Fail("write failed");
        ::close(fd);
    };
    TConfigData config;
    config.Cost = TMoney::FromDouble(1.5);
    config.Profits = {{3, TMoney::FromDouble(10)}, {4, TMoney::FromDouble(100)}};

    const int runs = 3;
    std::vector<std::uint8_t> buffer(bytes.size());
    const double readMs = BestMs(runs, writeFile, [&] {
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0 || ::read(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size()))
            Fail("read failed");
        ::close(fd);
    });
    // The file is opened (and checked, as at start-up) before the timing.
    std::int64_t checked = 0;
    TStakesFile file(path);
    const double checkMs = BestMs(
        runs,
        [&] {
            file.Close();
            writeFile();
            file.Open();
        },
        [&] { checked = CheckStakes(file, draws, config, nullptr, nullptr).Checked; });
    if (checked != static_cast<std::int64_t>(stakes)) Fail("not every stake was checked");
    // The file now holds checked stakes: the ratings are rebuilt from it.
    std::size_t rows = 0;
    const double rebuildMs = BestMs(
        runs, [] {},
        [&] {
            TRatingsTable table;
            table.Rebuild(file);
            rows = table.Count();
        });
    file.Close();
    if (rows != std::min<std::size_t>(stakes, 10'000)) Fail("the ratings have the wrong number of rows");

    const double writeMs = BestMs(
        runs, [&] { fs::remove(path); }, writeFile);
    const double appendMs = BestMs(
        runs, [&] { fs::remove(path); },
        [&] {
            TStakesFile empty(path);
            empty.Open();
            empty.Append(recs);
        });
    if (fs::file_size(path) != bytes.size()) Fail("the appended file has the wrong size");
    fs::remove_all(dir);

    std::printf("%zu stakes (%.1f MB); ratio = time / reference, best of %d\n", stakes,
                static_cast<double>(bytes.size()) / 1e6, runs);
    std::printf("%-40s %10s %10s %8s %8s\n", "case / reference", "time ms", "ref ms", "ratio", "target");
    int missed = 0;
    auto line = [&](const char* name, double ms, double ref) {
        const double ratio = ms / ref;
        const bool ok = ratio <= 2.0;
        missed += ok ? 0 : 1;
        std::printf("%-40s %10.2f %10.2f %8.3f %8s  %s\n", name, ms, ref, ratio, "<= 2.0", ok ? "ok" : "MISSED");
    };
    line("check all stakes / read the file once", checkMs, readMs);
    line("append from a list / one buffered write", appendMs, writeMs);
    line("rebuild the ratings / read the file once", rebuildMs, readMs);
    std::printf("%d of 3 targets met\n", 3 - missed);
    return 0;
}
