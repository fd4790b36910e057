#include "app/SystemsService.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"

namespace corvel::app {
namespace {

std::string FileTimeText(const std::filesystem::path& path) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    if (ec) return {};
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

}  // namespace

SystemsService::SystemsService(const DataFiles& files, UiHooks& hooks, const CombinationsService& combinations,
                               StakesService& stakes)
    : files_(files), hooks_(hooks), combinations_(combinations), stakes_(stakes) {}

std::vector<TLocalSystem> SystemsService::LocalSystems() const {
    std::vector<TLocalSystem> systems;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(files_.SystemsFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::optional<TSystemFileName> parsed = ParseSystemFileName(name);
        if (!parsed) continue;
        TLocalSystem s;
        s.Name = it->path().stem().string();
        s.Numbers = parsed->Numbers;
        s.Block = parsed->Block;
        s.Id = parsed->Id;
        s.Created = FileTimeText(it->path());
        try {
            s.Lines = static_cast<std::int64_t>(
                ParseSystemText(ReadFileBytes(it->path(), kSystemFileMaxBytes), parsed->Numbers).size());
        } catch (const ECorvelError& e) {
            s.Error = e.what();
        }
        systems.push_back(std::move(s));
    }
    std::sort(systems.begin(), systems.end(), [](const TLocalSystem& a, const TLocalSystem& b) {
        return a.Numbers != b.Numbers ? a.Numbers < b.Numbers : a.Name < b.Name;
    });
    return systems;
}

std::optional<TSystemPlay> SystemsService::Prepare(bool listOnly) {
    std::optional<TSystemPlay> play;
    RunOperation(hooks_, {texts::kStakesCreating, {}},
                 [&] { play = PlanSystemPlay(files_.SystemsFolder(), combinations_.List().Current(), listOnly); });
    return play;
}

bool SystemsService::Play(const TSystemPlay& play, int firstDraw, int draws, std::string_view comment) {
    if (play.Combinations.empty()) {
        hooks_.Info(texts::kSystemPlayNoStakes);
        return true;
    }
    std::vector<TStakeRec> recs;
    recs.reserve(play.Combinations.size());
    for (const TCombination& c : play.Combinations) {
        TStakeRec rec = stakes_.NewStake(c, play.Sample);
        rec.Kind = TStakeKind::System;
        rec.Draw = firstDraw;
        rec.SetComment(comment);
        recs.push_back(rec);
    }
    return stakes_.Add(recs, draws);
}

}  // namespace corvel::app
