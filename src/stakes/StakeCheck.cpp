#include "stakes/StakeCheck.h"

#include <algorithm>
#include <cstring>
#include <array>
#include <ctime>
#include <vector>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/LittleEndian.h"

namespace corvel {
namespace {

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
           Format(texts::kStakeLogLine,
                  {std::to_string(rec.Draw), rec.Comment(), JoinNumbers(rec.Stake.Values.data(), rec.Stake.Count, ";"),
                   rec.Sample, JoinNumbers(rec.Result.data(), 6, ";"), rec.Hits.Count, rec.Profit.ToDouble()});
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
                              const std::function<void(double percent)>& progress, std::int64_t first) {
    TStakeCheckResult result;
    // The records are changed where they lie: one sequential pass, no copy of
    // the file in and out, and only the fields checking sets are written.
    TStakesFile::TMapping records = file.MapRecords();
    const std::int64_t count = static_cast<std::int64_t>(records.Count());
    // The money result of every numbers count (6..8) and match count (0..6).
    std::array<std::array<std::int64_t, 7>, TStakeNumbers::kCapacity + 1> profit{};
    for (int k = 6; k <= TStakeNumbers::kCapacity; ++k)
        for (int m = 0; m <= 6; ++m)
            profit[static_cast<std::size_t>(k)][static_cast<std::size_t>(m)] = StakeProfit(k, m, config).Raw();
    // Stakes come in runs for one draw: remember the last lookup, with the
    // draw's numbers in ascending order for the matches.
    int lastNumber = 0, lastIndex = -1;
    TCombination sortedDrawn{};
    std::int64_t firstCandidate = -1, step = 1, remaining = 0;
    for (std::int64_t index = std::max<std::int64_t>(first, 0); index < count; ++index) {
        std::uint8_t* bytes = records.Record(static_cast<std::size_t>(index));
        // Checked, Draw and Stake.Count straight from the bytes: most records
        // of a large file are checked already or for draws still to come.
        if (bytes[8] != 0) continue;
        const std::int32_t drawNumber = le::LoadI32(bytes + 4);
        const std::int32_t k = le::LoadI32(bytes + 16);
        if (drawNumber <= 0 || k < 6) continue;
        // A record that cannot be trusted is left as it is.
        bool sound = bytes[0] == TStakeRec::kVersion && k <= TStakeNumbers::kCapacity;
        std::uint64_t played = 0;
        for (int i = 0; sound && i < k; ++i) {
            const int n = bytes[20 + i];
            sound = n >= 1 && n <= kMaxNumber;
            played |= std::uint64_t{1} << (n & 63);
        }
        if (!sound) {
            ++result.Damaged;
            continue;
        }
        if (firstCandidate < 0) {
            firstCandidate = index;
            remaining = count - index - 1;
            step = std::max<std::int64_t>(1, remaining / 100);
        } else if (progress) {
            const std::int64_t d = index - firstCandidate;
            if (d > 0 && d % step == 0) progress(100.0 * static_cast<double>(d) / static_cast<double>(remaining));
        }
        if (drawNumber != lastNumber) {
            lastNumber = drawNumber;
            lastIndex = FindDrawIndex(draws, drawNumber);
            if (lastIndex >= 0) {
                sortedDrawn = draws[static_cast<std::size_t>(lastIndex)].Numbers;
                SortNumbers(sortedDrawn);
            }
        }
        if (lastIndex < 0) continue;
        // Hits: every drawn main number among the stake's numbers, ascending.
        std::array<std::uint8_t, TStakeNumbers::kCapacity> hits{};
        int m = 0;
        for (std::uint8_t n : sortedDrawn)
            if (n >= 1 && n <= kMaxNumber && (played >> n & 1) != 0) hits[static_cast<std::size_t>(m++)] = n;
        bytes[8] = 1;
        std::memcpy(bytes + 28, draws[static_cast<std::size_t>(lastIndex)].Numbers.data(), 6);
        le::StoreI32(bytes + 36, m);
        std::memcpy(bytes + 40, hits.data(), hits.size());
        le::StoreI64(bytes + 48, profit[static_cast<std::size_t>(k)][static_cast<std::size_t>(m)]);
        ++result.Checked;
        if (!sink && !log) continue;
        const TStakeRec rec = DecodeStakeRec(bytes);
        if (sink) sink->AddCheckedStake(rec);
        if (!log) continue;
        try {
            log->Write(rec);
        } catch (const ECorvelError& e) {
            if (result.LogError.empty()) result.LogError = e.what();
        }
    }
    return result;
}

}  // namespace corvel
