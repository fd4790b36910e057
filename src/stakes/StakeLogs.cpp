#include "stakes/StakeLogs.h"

#include "i18n/Texts.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/GameConstants.h"

namespace corvel {
namespace {

// The log name pattern with its number replaced by "*": the stem and a dash
// before, ".log" after.
bool IsStakeLogName(const std::string& name) {
    const std::string prefix = std::string(kGameStem) + "-";
    const std::string suffix = ".log";
    return name.size() >= prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix);
}

bool IsScenarioLogName(const std::string& name) {
    return name.size() > 14 && name.starts_with("ScriptLog_") && name.ends_with(".txt");
}

template <class IsLog>
TStakeLogsDeletion DeleteLogFiles(const std::filesystem::path& folder, IsLog isLog) {
    TStakeLogsDeletion result;
    std::vector<std::filesystem::path> logs;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::directory_entry& entry = *it;
        std::error_code typeError;
        // A folder that happens to carry such a name is no log.
        if (entry.is_directory(typeError) || !isLog(entry.path().filename().string())) continue;
        logs.push_back(entry.path());
    }
    if (ec)
        result.Errors.push_back(Format(texts::kStakeLogsSearchError, {folder.string(), SystemErrorText(ec.value())}));
    result.Found = static_cast<int>(logs.size());
    for (const std::filesystem::path& log : logs) {
        std::error_code removeError;
        if (std::filesystem::remove(log, removeError) && !removeError)
            ++result.Deleted;
        else
            result.Errors.push_back(
                Format(texts::kStakeLogNotDeleted, {log.string(), SystemErrorText(removeError.value())}));
    }
    return result;
}

}  // namespace

TStakeLogsDeletion DeleteStakeLogs(const std::filesystem::path& folder) {
    return DeleteLogFiles(folder, IsStakeLogName);
}

TStakeLogsDeletion DeleteScenarioLogs(const std::filesystem::path& folder) {
    return DeleteLogFiles(folder, IsScenarioLogName);
}

std::string StakeLogsDeletionText(const TStakeLogsDeletion& result) {
    std::string text = Format(texts::kStakeLogsDeleted, {result.Deleted, result.Found});
    text += "\r\r";
    if (result.Errors.empty()) {
        text += texts::kStakeLogsAllDeleted;
        return text;
    }
    for (std::size_t i = 0; i < result.Errors.size(); ++i) text += (i ? "\r" : "") + result.Errors[i];
    return text;
}

}  // namespace corvel
