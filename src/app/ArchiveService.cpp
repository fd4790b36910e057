#include "app/ArchiveService.h"

#include <algorithm>

#include "app/UserOperation.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel::app {

ArchiveService::ArchiveService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes)
    : files_(files), hooks_(hooks), changes_(changes) {}

int ArchiveService::LastAnalysedIndex() const { return corvel::LastAnalysedIndex(draws_, offset_); }

bool ArchiveService::Load() {
    TDrawsArray read;
    const bool ok = RunOperation(hooks_, {texts::kArchiveLoading, texts::kArchiveReadError},
                                 [&] { read = ReadArchiveFile(files_.Archive()); });
    draws_ = std::move(read);
    complete_ = ok;
    offset_ = std::clamp(offset_, 0, std::max(0, static_cast<int>(draws_.size()) - 1));
    changes_.Notify(EChange::Archive);
    return ok;
}

void ArchiveService::SetOffset(int offset) {
    const int high = std::max(0, static_cast<int>(draws_.size()) - 1);
    const int clamped = std::clamp(offset, 0, high);
    if (clamped == offset_) return;
    offset_ = clamped;
    changes_.Notify(EChange::Offset);
}

void ArchiveService::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    changes_.Notify(EChange::Sorted);
}

bool ArchiveService::Save(TDrawsArray changed) {
    const bool saved = RunOperation(hooks_, {texts::kArchiveSaving, texts::kArchiveWriteError}, [&] {
        // Saving what could be read of a damaged archive would lose the rest.
        if (!complete_) throw EFileError(texts::kArchiveNotReadWhole);
        WriteArchiveFile(files_.Archive(), changed);
    });
    if (!saved) return false;
    draws_ = std::move(changed);
    // A shorter archive may leave the offset past its end.
    const int high = std::max(0, static_cast<int>(draws_.size()) - 1);
    const bool offsetMoved = offset_ > high;
    offset_ = std::min(offset_, high);
    changes_.Notify(EChange::Archive);
    if (offsetMoved) changes_.Notify(EChange::Offset);
    return true;
}

bool ArchiveService::Change(const std::function<void(TDrawsArray&)>& edit) {
    TDrawsArray changed = draws_;
    if (!RunOperation(hooks_, {}, [&] { edit(changed); })) return false;
    return Save(std::move(changed));
}

bool ArchiveService::AddDraw(const TDrawRec& rec) {
    return Change([&](TDrawsArray& draws) { draws.push_back(rec); });
}

bool ArchiveService::ReplaceDraw(int index, const TDrawRec& rec) {
    return Change([&](TDrawsArray& draws) {
        if (index < 0 || static_cast<std::size_t>(index) >= draws.size())
            throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {index}));
        draws[static_cast<std::size_t>(index)] = rec;
    });
}

bool ArchiveService::DeleteDrawsAt(const std::vector<int>& indexes) {
    std::vector<int> order = indexes;
    std::sort(order.begin(), order.end(), std::greater<>());
    order.erase(std::unique(order.begin(), order.end()), order.end());
    TDrawsArray changed = draws_;
    const bool edited = RunOperation(hooks_, {.Status = texts::kDeleting}, [&] {
        for (int index : order)
            if (index < 0 || static_cast<std::size_t>(index) >= changed.size())
                throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {index}));
        // From the highest index down, so each removal leaves the indexes
        // still to go where they were.
        for (int index : order) DeleteDraw(changed, index);
    });
    return edited && Save(std::move(changed));
}

}  // namespace corvel::app
