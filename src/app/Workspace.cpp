#include "app/Workspace.h"

#include <algorithm>

#include "combs/CombsClipboard.h"
#include "combs/CombsFile.h"
#include "combs/CombsGeneration.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "stats/CustomStat.h"
#include "stats/FilterWalk.h"

namespace corvel::app {

Workspace::Workspace(DataFiles files, UiHooks& hooks, std::size_t combsCapacity)
    : files_(std::move(files)), hooks_(hooks), combs_(combsCapacity) {
    stats_.SetDraws(&draws_);
}

void Workspace::ReportError(const char* pattern, const std::string& message) {
    hooks_.Error(Format(pattern, {message}));
}

void Workspace::Open() {
    OpenSettingsAndRegistry();
    OpenData();
}

void Workspace::OpenSettingsAndRegistry() {
    LoadSettings();
    stats_.RegisterMethods();
    try {
        stats_.LoadNames(files_.FilterNames(), true);
    } catch (const ECorvelError& e) {
        ReportError(texts::kFiltersLoadError, e.what());
    }
}

void Workspace::OpenData() {
    offset_ = 0;
    LoadArchive();
    GenerateCombs(true);
}

// ---- settings

void Workspace::LoadSettings() {
    try {
        LoadGameSettings(files_.GameSettings(), stats_.Settings);
        LoadGenerateSettings(files_.GameSettings(), stats_.Settings);
        LoadShreddingSettings(files_.GameSettings(), stats_.Settings);
    } catch (const ECorvelError& e) {
        ReportError(texts::kConfigReadError, e.what());
    }
    stats_.Settings.CDLDefault = stats_.Settings.Config.CDL;
}

bool Workspace::SaveSettings() {
    try {
        SaveGameSettings(files_.GameSettings(), stats_.Settings);
        return true;
    } catch (const ECorvelError& e) {
        ReportError(texts::kConfigWriteError, e.what());
        return false;
    }
}

// ---- archive

int Workspace::LastAnalysedIndex() const { return corvel::LastAnalysedIndex(draws_, offset_); }

void Workspace::SetDrawsOffset(int offset) {
    const int high = std::max(0, static_cast<int>(draws_.size()) - 1);
    offset_ = std::clamp(offset, 0, high);
}

void Workspace::LoadArchive() {
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(texts::kArchiveLoading);
    ArchiveReadResult read = ReadArchiveFile(files_.Archive());
    draws_ = std::move(read.Draws);
    if (!read.Error.empty()) ReportError(texts::kArchiveReadError, read.Error);
    SetDrawsOffset(offset_);
    hooks_.ShowStatus("");
}

bool Workspace::SaveArchive(const TDrawsArray& previous) {
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(texts::kArchiveSaving);
    try {
        WriteArchiveFile(files_.Archive(), draws_);
    } catch (const ECorvelError& e) {
        draws_ = previous;
        hooks_.ShowStatus("");
        ReportError(texts::kArchiveWriteError, e.what());
        return false;
    }
    SetDrawsOffset(offset_);
    hooks_.ShowStatus("");
    return true;
}

bool Workspace::AddDraw(const TDrawRec& rec) {
    TDrawsArray previous = draws_;
    draws_.push_back(rec);
    return SaveArchive(previous);
}

bool Workspace::ReplaceDraw(int index, const TDrawRec& rec) {
    if (index < 0 || static_cast<std::size_t>(index) >= draws_.size()) {
        hooks_.Error(Format(texts::kDrawIndexNotFound, {index}));
        return false;
    }
    TDrawsArray previous = draws_;
    draws_[static_cast<std::size_t>(index)] = rec;
    return SaveArchive(previous);
}

bool Workspace::DeleteDrawsAt(const std::vector<int>& indexes) {
    std::vector<int> order = indexes;
    std::sort(order.begin(), order.end(), std::greater<>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    for (int index : order)
        if (index < 0 || static_cast<std::size_t>(index) >= draws_.size()) {
            hooks_.Error(Format(texts::kDrawIndexNotFound, {index}));
            return false;
        }
    TDrawsArray previous = draws_;
    {
        BusyGuard busy(hooks_);
        hooks_.ShowStatus(texts::kDeleting);
        // From the highest index down, so each removal leaves the indexes
        // still to go where they were.
        for (int index : order) DeleteDraw(draws_, index);
        hooks_.ShowStatus("");
    }
    return SaveArchive(previous);
}

// ---- combinations

bool Workspace::GenerateCombs(bool showProgress) {
    return GenerateCombs(stats_.Settings.CombsGenerateMode, stats_.Settings.CombsGenerateParameters, showProgress);
}

bool Workspace::GenerateCombs(int mode, const std::string& parameters, bool showProgress) {
    const bool ok = corvel::GenerateCombs(combs_.Current(), mode, parameters, hooks_, showProgress);
    if (ok && showProgress) {
        applied_.Clear();
        combs_.ForgetUndo();
    }
    return ok;
}

bool Workspace::OpenCombsFile(const std::filesystem::path& path) {
    const bool ok = corvel::OpenCombsFile(combs_, path, hooks_);
    if (ok) applied_.Clear();
    return ok;
}

bool Workspace::PasteCombs(std::string_view text) {
    const bool ok = corvel::PasteCombs(combs_, text, hooks_);
    if (ok) applied_.Clear();
    return ok;
}

bool Workspace::SaveCombsFile(const std::filesystem::path& path) {
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(Format(texts::kCombsFileSaving, {path.string()}));
    const bool ok = corvel::SaveCombsFile(combs_.Current(), path, hooks_);
    hooks_.ShowStatus("");
    return ok;
}

std::size_t Workspace::DeleteCombRows(std::span<const std::size_t> rows) {
    const std::size_t deleted = combs_.DeleteRows(rows, hooks_);
    applied_.Add({texts::kCombsFilterSelected, std::to_string(deleted), combs_.Current().Count(), false});
    return deleted;
}

bool Workspace::ExcludeLastDraws(int n) {
    const std::size_t removed = combs_.ExcludeLastDraws(draws_, offset_, n, hooks_);
    (void)removed;
    applied_.Add({texts::kCombsFilterLastDraws, std::to_string(n), combs_.Current().Count(), false});
    return true;
}

bool Workspace::UndoCombs() {
    if (!combs_.CanUndo()) return false;
    combs_.Undo(hooks_);
    applied_.RemoveLast();
    return true;
}

// ---- statistics table

std::optional<TPrefetchData> Workspace::OpenPrefetch(int index) {
    if (!PrefetchsEnabled || index < 0 || index >= stats_.Count()) return std::nullopt;
    if (!stats_.Item(index).StatClass->IsPrefetchable()) return std::nullopt;
    const std::string code = stats_.Item(index).Code();
    const auto path = PrefetchPath(files_.PrefetchFolder(), code);
    try {
        // A missing, empty, truncated or inconsistent file is built anew.
        if (auto data = ReadPrefetch(path)) return data;
    } catch (const ECorvelError& e) {
        hooks_.Error(Format(texts::kPrefetchOpenError, {path.string(), e.what()}));
        return std::nullopt;
    }
    return RebuildPrefetch(index);
}

std::optional<TPrefetchData> Workspace::RebuildPrefetch(int index) {
    const auto path = PrefetchPath(files_.PrefetchFolder(), stats_.Item(index).Code());
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(Format(texts::kPrefetchCreating, {path.filename().string()}));
    try {
        TPrefetchData data = CreatePrefetch(stats_, index, files_.PrefetchFolder());
        hooks_.ShowStatus("");
        return data;
    } catch (const ECorvelError& e) {
        hooks_.ShowStatus("");
        hooks_.Error(Format(texts::kPrefetchCreateError, {path.string(), e.what()}));
        return std::nullopt;
    }
}

void Workspace::BuildPrefetchFiles(bool force, std::uint32_t groups) {
    if (!force && !PrefetchsEnabled) return;
    BusyGuard busy(hooks_);
    hooks_.OpenProgress(texts::kPrefetchBuilding, stats_.Count());
    for (int i = 0; i < stats_.Count() && !hooks_.StopRequested(); ++i) {
        const TStatMethod& m = stats_.Item(i);
        hooks_.StepProgress(1);
        hooks_.ProcessEvents();
        if (!m.StatClass->IsPrefetchable()) continue;
        const auto path = PrefetchPath(files_.PrefetchFolder(), m.Code());
        bool present = false;
        try {
            present = ReadPrefetch(path).has_value();
        } catch (const ECorvelError&) {
            present = false;  // unreadable: try to build it anew
        }
        if (present && !(groups & (1u << m.StatClass->Group))) continue;
        // A cache that cannot be built is reported; the others still are.
        RebuildPrefetch(i);
    }
    hooks_.CloseProgress();
    hooks_.ShowStatus("");
}

const TStatTable& Workspace::ComputeStatTable(int index, int windowLength, bool force) {
    const TableKey key{draws_.size(), offset_, windowLength, index, stats_.Settings.Config.CDL};
    if (!force && tableKey_ && *tableKey_ == key) return table_;
    tableKey_ = key;
    table_ = {};
    if (index < 0 || index >= stats_.Count() || draws_.empty()) return table_;

    BusyGuard busy(hooks_);
    try {
        auto stat = stats_.CreateStat(index);
        const std::optional<TPrefetchData> prefetch = OpenPrefetch(index);
        hooks_.ShowStatus(texts::kStatCalculating);
        TStatTableInput input{draws_, offset_, windowLength, SortedDraws, stats_.Settings.Config.CDL,
                              prefetch ? &*prefetch : nullptr};
        table_ = corvel::ComputeStatTable(*stat, input);
    } catch (const ECorvelError& e) {
        hooks_.Error(e.what());
    }
    hooks_.ShowStatus("");
    return table_;
}

// ---- filters

TStatFactory Workspace::FilterFactory(int index) const {
    const int last = std::max(0, LastAnalysedIndex());
    const bool sorted = SortedDraws;
    return [this, index, last, sorted] {
        auto stat = stats_.CreateStat(index);
        stat->PrepareFilter(last, sorted);
        return stat;
    };
}

bool Workspace::FilterCombinations(int index, const TStatDrawArray& values, const std::string& valuesText,
                                   bool exclude) {
    if (values.empty() || index < 0 || index >= stats_.Count()) return false;
    BusyGuard busy(hooks_);
    hooks_.ShowStatus(texts::kFiltering);
    combs_.SaveUndo();
    const std::size_t count =
        FilterCombinationList(combs_.UndoCopy(), combs_.Current(), FilterFactory(index), values, exclude, &filterScratch_);
    applied_.Add({stats_.GetMethodText(index, true), valuesText, count, !exclude});
    hooks_.ShowStatus("");
    return true;
}

bool Workspace::FilterByNumbers(const std::vector<int>& numbers, const std::string& caption, bool exclude) {
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
    const int nums = stats_.FindMethod("NUMS");
    if (!FilterCombinations(nums, values, text, exclude)) return false;
    applied_.RemoveLast();
    applied_.Add({caption, text, combs_.Current().Count(), !exclude});
    return true;
}

void Workspace::ApplyFilterCoefficients(bool override, const TCdlCoefficients& cdl) {
    stats_.Settings.Config.CDL = override ? cdl : stats_.Settings.CDLDefault;
}

bool Workspace::ApplyFilterPart(const TFilterPart& part) {
    if (part.Method < 0 || part.Method >= stats_.Count()) {
        hooks_.Error(Format(texts::kMissingMethod, {FilterPartText(part, stats_)}));
        return false;
    }
    ApplyFilterCoefficients(part.CDLOverride, part.CDL);
    std::vector<TStatTableRow> rows = ComputeStatTable(part.Method, part.WindowLength, false).Rows;
    SortStatTable(rows, part.SortColumn, true);
    auto stat = stats_.CreateStat(part.Method);

    // One filter step with the given rows; a step that empties the list is
    // taken back at once. Returns false when it emptied the list.
    auto applyRows = [&](const std::vector<const TStatTableRow*>& picked) {
        TStatDrawArray values;
        std::string text;
        for (const TStatTableRow* r : picked) {
            values.push_back(r->Value);
            text += (text.empty() ? "" : "; ") + r->Cells[0];
        }
        FilterCombinations(part.Method, values, text, !part.Keep);
        if (!combs_.Current().Empty()) return true;
        combs_.Undo();
        applied_.Add({texts::kUndoLastOperation, "", combs_.Current().Count(), false});
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
            if (RowPassesLevel(row, part, *stat)) picked.push_back(&row);
            continue;
        }
        if (!RowPassesLevel(row, part, *stat)) continue;
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
}

bool Workspace::ApplyFilterDefinition(const TFilterItem& item) {
    std::optional<TFilterExpansion> parts;
    try {
        parts.emplace(item, stats_);
    } catch (const ECorvelError& e) {
        hooks_.Error(e.what());
        return false;
    }
    BusyGuard busy(hooks_);
    const std::size_t count = parts->Count();  // at most kMaxFilterParts
    const bool progress = count > 1;
    if (progress)
        hooks_.OpenProgress(Format(texts::kFilterDefinitionApplying, {FilterItemText(item, stats_)}),
                            static_cast<int>(count));
    bool ok = true;
    try {
        for (std::size_t k = 0; k < count && combs_.Current().Count() > 1; ++k) {
            if (hooks_.StopRequested() || !ApplyFilterPart(parts->Part(k))) {
                ok = false;
                break;
            }
            if (progress) hooks_.StepProgress(1);
            hooks_.ProcessEvents();
        }
    } catch (const ECorvelError& e) {
        // The list stays as the finished steps left it; each can be undone.
        hooks_.Error(e.what());
        ok = false;
    }
    if (progress) hooks_.CloseProgress();
    // A part with its own coefficients must not leave them to the tables
    // computed next.
    ApplyFilterCoefficients(false, {});
    hooks_.ShowStatus("");
    return ok && !hooks_.StopRequested();
}

}  // namespace corvel::app
