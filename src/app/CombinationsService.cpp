#include "app/CombinationsService.h"

#include <algorithm>
#include <optional>

#include "app/CombsCommands.h"
#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "stats/CustomStat.h"
#include "stats/FilterWalk.h"

namespace corvel::app {

CombinationsService::CombinationsService(UiHooks& hooks, ChangeNotifier& changes, const ArchiveService& archive,
                                         StatisticsService& statistics, const SettingsService& settings,
                                         std::size_t capacity)
    : hooks_(hooks),
      changes_(changes),
      archive_(archive),
      statistics_(statistics),
      settings_(settings),
      combs_(capacity) {}

bool CombinationsService::Generate(bool showProgress) {
    const TGameSettings& game = settings_.Game();
    return Generate(game.CombsGenerateMode, game.CombsGenerateParameters, showProgress);
}

bool CombinationsService::Generate(int mode, const std::string& parameters, bool showProgress) {
    return Changing([&] {
        const bool ok = GenerateCombs(combs_.Current(), mode, parameters, hooks_, showProgress);
        if (ok && showProgress) {
            applied_.Clear();
            combs_.ForgetUndo();
        }
        return ok;
    });
}

bool CombinationsService::OpenFile(const std::filesystem::path& path) {
    return Changing([&] {
        const bool ok = OpenCombsFile(combs_, path, hooks_);
        if (ok) applied_.Clear();
        return ok;
    });
}

bool CombinationsService::Paste(std::string_view text) {
    return Changing([&] {
        const bool ok = PasteCombs(combs_, text, hooks_);
        if (ok) applied_.Clear();
        return ok;
    });
}

bool CombinationsService::SaveFile(const std::filesystem::path& path) {
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(Format(texts::kCombsFileSaving, {path.string()}));
    const bool ok = SaveCombsFile(combs_.Current(), path, hooks_);
    hooks_.ShowStatus("");
    return ok;
}

std::size_t CombinationsService::DeleteRows(std::span<const std::size_t> rows) {
    return Changing([&] {
        BusyGuard busy(hooks_);
        const std::size_t deleted = combs_.DeleteRows(rows, hooks_);
        applied_.Add({texts::kCombsFilterSelected.Str(), std::to_string(deleted), combs_.Current().Count(), false});
        return deleted;
    });
}

bool CombinationsService::ExcludeLastDraws(int n) {
    return Changing([&] {
        BusyGuard busy(hooks_);
        combs_.ExcludeLastDraws(archive_.Draws(), archive_.Offset(), n, hooks_);
        applied_.Add({texts::kCombsFilterLastDraws.Str(), std::to_string(n), combs_.Current().Count(), false});
        return true;
    });
}

bool CombinationsService::Undo() {
    if (!combs_.CanUndo()) return false;
    return Changing([&] {
        BusyGuard busy(hooks_);
        combs_.Undo(hooks_);
        applied_.RemoveLast();
        return true;
    });
}

void CombinationsService::ShowInArchive(const TCombination& c) {
    ShowCombinationInArchive(c, archive_.Draws(), hooks_);
}

TStatFactory CombinationsService::FilterFactory(int index) const {
    const int last = std::max(0, archive_.LastAnalysedIndex());
    const bool sorted = archive_.Sorted();
    const TStatList& stats = statistics_.Registry();
    return [&stats, index, last, sorted] {
        auto stat = stats.CreateStat(index);
        stat->PrepareFilter(last, sorted);
        return stat;
    };
}

bool CombinationsService::FilterStep(int index, const TStatDrawArray& values, const std::string& valuesText,
                                     bool exclude) {
    const TStatList& stats = statistics_.Registry();
    if (values.empty() || index < 0 || index >= stats.Count()) return false;
    return RunOperation(hooks_, {.Status = texts::kFiltering}, [&] {
        combs_.SaveUndo();
        const std::size_t count = FilterCombinationList(combs_.UndoCopy(), combs_.Current(), FilterFactory(index),
                                                        values, exclude, &filterScratch_);
        applied_.Add({stats.GetMethodText(index, true), valuesText, count, !exclude});
    });
}

bool CombinationsService::Filter(int index, const TStatDrawArray& values, const std::string& valuesText, bool exclude) {
    return Changing([&] { return FilterStep(index, values, valuesText, exclude); });
}

bool CombinationsService::FilterByNumbers(const std::vector<int>& numbers, const std::string& caption, bool exclude) {
    TStatDrawArray values;
    std::string text;
    for (int n : numbers) {
        if (n < 0 || n > 255) continue;
        TStatDrawRec v;
        v.Key[0] = static_cast<std::uint16_t>(n);
        values.push_back(v);
        text += (text.empty() ? "" : "; ") + std::to_string(n);
    }
    if (values.empty()) {
        hooks_.Error(texts::kNoGridValues);
        return false;
    }
    return Changing([&] {
        const int nums = statistics_.Registry().FindMethod("NUMS");
        if (!FilterStep(nums, values, text, exclude)) return false;
        applied_.RemoveLast();
        applied_.Add({caption, text, combs_.Current().Count(), !exclude});
        return true;
    });
}

bool CombinationsService::ApplyFilterPart(const TFilterPart& part) {
    const TStatList& stats = statistics_.Registry();
    if (part.Method < 0 || part.Method >= stats.Count()) {
        hooks_.Error(Format(texts::kMissingMethod, {FilterPartText(part, stats)}));
        return false;
    }
    return Changing([&] {
        auto log = [&](const std::string& line) {
            if (WalkLog) WalkLog(line);
        };
        // Value, count, deviation, depth (each with its percentage) and weight.
        auto rowText = [](const TStatTableRow& r) {
            const auto& c = r.Cells;
            return Format(texts::kScriptWalkRow, {c[0], c[1], c[2], c[4], c[5], c[6], c[7], c[8]});
        };
        auto stepText = [](int step, const TStatTableRow& r) {
            const auto& c = r.Cells;
            return Format(texts::kScriptWalkStep, {step, c[0], c[1], c[2], c[4], c[5], c[6], c[7], c[8]});
        };
        statistics_.ApplyFilterCoefficients(part.CDLOverride, part.CDL);
        log(Format(texts::kScriptWalkTable, {stats.GetMethodText(part.Method, false), part.WindowLength}));
        statistics_.ComputeTable(part.Method, part.WindowLength, false);
        std::vector<TStatTableRow> rows = statistics_.Table().Rows;
        SortStatTable(rows, part.SortColumn, true);
        if (WalkLog)
            for (const TStatTableRow& r : rows) log(rowText(r));
        auto stat = stats.CreateStat(part.Method);

        // One filter step with the given rows; a step that empties the list is
        // taken back at once. Returns false when it emptied the list.
        auto applyRows = [&](const std::vector<const TStatTableRow*>& picked) {
            TStatDrawArray values;
            std::string text;
            for (const TStatTableRow* r : picked) {
                values.push_back(r->Value);
                text += (text.empty() ? "" : "; ") + r->Cells[0];
            }
            log(part.Keep ? texts::kScriptWalkKeeping.Str() : texts::kScriptWalkRemoving.Str());
            FilterStep(part.Method, values, text, !part.Keep);
            log(Format(texts::kScriptListCount, {combs_.Current().Count()}));
            if (!combs_.Current().Empty()) return true;
            log(texts::kScriptWalkUndo.Str());
            combs_.Undo();
            applied_.Add({texts::kUndoLastOperation.Str(), "", combs_.Current().Count(), false});
            return false;
        };

        std::vector<const TStatTableRow*> picked;
        int steps = 0;
        const int n = static_cast<int>(rows.size());
        for (int k = 0; k < n; ++k) {
            if (hooks_.StopRequested()) return false;
            const TStatTableRow& row = rows[static_cast<std::size_t>(part.BottomUp ? n - 1 - k : k)];
            if (RowStopsWalk(row, part, steps)) break;
            if (!part.MultiSelect && part.StopMode == kStopCount &&
                static_cast<std::size_t>(std::max(part.StopValue, 0)) >= combs_.Current().Count())
                break;
            if (part.MultiSelect) {
                // Every row examined is a step, picked or not.
                ++steps;
                if (RowPassesLevel(row, part, *stat)) {
                    picked.push_back(&row);
                    if (WalkLog) log(stepText(steps, row));
                }
                continue;
            }
            if (!RowPassesLevel(row, part, *stat)) continue;
            if (WalkLog) log(stepText(steps + 1, row));
            // Only an application that leaves combinations is a step; one that
            // emptied the list was taken back.
            if (applyRows({&row}))
                ++steps;
            else if (part.StopMode == kStopEmpty)
                break;
            hooks_.ProcessEvents();
        }
        if (part.MultiSelect && !picked.empty()) applyRows(picked);
        return !hooks_.StopRequested();
    });
}

bool CombinationsService::StartWithoutLastDraws(int n, TCombsBuffer& buffer) {
    return Changing([&] {
        BusyGuard busy(hooks_);
        return RunOperation(hooks_, {}, [&] {
            const TCombsBufferKey key{archive_.Offset(), n};
            if (buffer.Load(combs_.Current(), key, hooks_)) return;
            combs_.ExcludeLastDraws(archive_.Draws(), archive_.Offset(), n, hooks_);
            applied_.Add({texts::kCombsFilterLastDraws.Str(), std::to_string(n), combs_.Current().Count(), false});
            buffer.Save(combs_.Current(), key, hooks_);
        });
    });
}

bool CombinationsService::ApplyFilterDefinition(const TFilterItem& item) {
    const TStatList& stats = statistics_.Registry();
    std::optional<TFilterExpansion> parts;
    if (!RunOperation(hooks_, {}, [&] { parts.emplace(item, stats); })) return false;
    bool ok = true;
    {
        BusyGuard busy(hooks_);
        const std::size_t count = parts->Count();  // at most kMaxFilterParts
        std::optional<ProgressWindow> progress;
        if (count > 1)
            progress.emplace(hooks_, Format(texts::kFilterDefinitionApplying, {FilterItemText(item, stats)}),
                             static_cast<int>(count));
        // The list stays as the finished steps left it; each can be undone.
        ok = RunOperation(hooks_, {}, [&] {
            for (std::size_t k = 0; k < count && combs_.Current().Count() > 1; ++k) {
                if (hooks_.StopRequested() || !ApplyFilterPart(parts->Part(k))) return false;
                if (progress) hooks_.StepProgress(1);
                hooks_.ProcessEvents();
            }
            return true;
        });
    }
    // A part with its own coefficients must not leave them to the tables
    // computed next.
    statistics_.ApplyFilterCoefficients(false, {});
    hooks_.ShowStatus("");
    return ok && !hooks_.StopRequested();
}

}  // namespace corvel::app
