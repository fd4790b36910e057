#include "stakes/StakeCheck.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <vector>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel {
namespace {

constexpr std::size_t kChunk = 4096;

std::string JoinNumbers(const std::uint8_t* values, int count, const char* separator) {
    std::string out;
    for (int i = 0; i < count; ++i) out += (i ? separator : "") + std::to_string(values[i]);
    return out;
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y.%m.%d %H:%M:%S", &local);
    return text;
}

// Fills in the outcome of a stake from its draw's six numbers.
void CheckAgainst(TStakeRec& rec, const TDrawRec& draw, const TConfigData& config) {
    rec.Checked = true;
    rec.Result = draw.Numbers;
    // Every drawn main number that is among the stake's numbers, ascending
    // (at most six: the draw has six numbers).
    std::array<bool, 256> played{};
    for (int i = 0; i < rec.Stake.Count; ++i) played[rec.Stake.Values[static_cast<std::size_t>(i)]] = true;
    TCombination drawn = draw.Numbers;
    SortNumbers(drawn);
    TStakeNumbers hits;
    for (std::uint8_t n : drawn)
        if (played[n]) hits.Values[static_cast<std::size_t>(hits.Count++)] = n;
    rec.Hits = hits;
    rec.Profit = StakeProfit(rec.Stake.Count, rec.Hits.Count, config);
}

}  // namespace

std::int64_t SimpleStakesIn(int numbers) {
    if (numbers <= 6) return 1;
    std::int64_t c = 1;
    for (int i = 1; i <= 6; ++i) c = c * (numbers - 6 + i) / i;
    return c;
}

TMoney StakeProfit(int numbers, int matches, const TConfigData& config) {
    std::int64_t raw = -SimpleStakesIn(numbers) * config.Cost.Raw();
    if (matches >= 0)
        for (const TProfit& p : config.Profits)
            if (p.Overlap == matches) {
                raw += p.Profit.Raw();
                break;
            }
    return TMoney::FromRaw(raw);
}

TStakeLog::TStakeLog(std::filesystem::path folder) : Now(&LocalTimeText), folder_(std::move(folder)) {}

std::filesystem::path TStakeLog::FileFor(int matches) const {
    return folder_ / Format("%s-%d.log", {kGameStem, matches});
}

std::string TStakeLog::LineFor(const TStakeRec& rec) const {
    return Now() + ": " +
           Format(texts::kStakeLogLine, {std::to_string(rec.Draw), rec.Comment(),
                                         JoinNumbers(rec.Stake.Values.data(), rec.Stake.Count, ";"), rec.Sample,
                                         JoinNumbers(rec.Result.data(), 6, ";"), rec.Hits.Count,
                                         rec.Profit.ToDouble()});
}

void TStakeLog::Write(const TStakeRec& rec) const {
    const std::filesystem::path file = FileFor(rec.Hits.Count);
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec) && std::filesystem::file_size(file, ec) > kMaxLogBytes) {
        if (!std::filesystem::remove(file, ec) || ec)
            throw EFileError(Format(texts::kFileDeleteError, {file.string(), SystemErrorText(ec.value())}));
    }
    // A log is a plain appended text file; a lost last line after a crash
    // costs nothing, so no rewrite through a temporary file.
    std::FILE* f = std::fopen(file.c_str(), "ab");
    if (!f) throw EFileError(Format(texts::kFileWriteError, {file.string(), SystemErrorText(errno)}));
    const std::string line = Utf8ToCp1251(LineFor(rec)) + "\r\n";
    const bool ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    const int err = errno;
    if (std::fclose(f) != 0 || !ok)
        throw EFileError(Format(texts::kFileWriteError, {file.string(), SystemErrorText(ok ? errno : err)}));
}

TStakeCheckResult CheckStakes(TStakesFile& file, const TDrawsArray& draws, const TConfigData& config,
                              const TStakeLog* log, TCheckedStakeSink* sink,
                              const std::function<void(double percent)>& progress) {
    TStakeCheckResult result;
    const std::int64_t count = file.Count();
    std::vector<TStakeRec> chunk(kChunk);
    // Stakes come in runs for one draw: remember the last lookup.
    int lastNumber = 0, lastIndex = -1;
    std::int64_t firstCandidate = -1, step = 1, remaining = 0;
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunk));
        const auto records = std::span(chunk).first(n);
        file.ReadRange(at, records);
        for (std::size_t i = 0; i < n; ++i) {
            TStakeRec& rec = records[i];
            if (rec.Checked || rec.Draw <= 0 || rec.Stake.Count < 6) continue;
            if (!StakeDamage(rec).empty()) {
                ++result.Damaged;
                continue;
            }
            const std::int64_t index = at + static_cast<std::int64_t>(i);
            if (firstCandidate < 0) {
                firstCandidate = index;
                remaining = count - index - 1;
                step = std::max<std::int64_t>(1, remaining / 100);
            } else if (progress) {
                const std::int64_t d = index - firstCandidate;
                if (d > 0 && d % step == 0) progress(100.0 * static_cast<double>(d) / static_cast<double>(remaining));
            }
            if (rec.Draw != lastNumber) {
                lastNumber = rec.Draw;
                lastIndex = FindDrawIndex(draws, rec.Draw);
            }
            if (lastIndex < 0) continue;
            CheckAgainst(rec, draws[static_cast<std::size_t>(lastIndex)], config);
            file.Write(index, rec);
            ++result.Checked;
            if (sink) sink->AddCheckedStake(rec);
            if (log) {
                try {
                    log->Write(rec);
                } catch (const ECorvelError& e) {
                    if (result.LogError.empty()) result.LogError = e.what();
                }
            }
        }
        at += static_cast<std::int64_t>(n);
    }
    return result;
}

}  // namespace corvel
