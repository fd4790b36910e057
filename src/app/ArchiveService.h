#pragma once

#include <functional>
#include <vector>

#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/UiHooks.h"
#include "model/DrawRecord.h"

namespace corvel::app {

// The draw archive of the run with the view over it: the draws (oldest
// first), DrawsOffset (the newest draws hidden from every computation; 0 at
// every start, never saved) and the sorted order of the numbers. Every change
// saves the archive file at once; when saving fails the change is taken back,
// so the archive in memory always equals the file. Each change is announced
// (Archive, Offset, Sorted) through the notifier.
class ArchiveService {
  public:
    ArchiveService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes);

    const TDrawsArray& Draws() const { return draws_; }
    int Offset() const { return offset_; }
    bool Sorted() const { return sorted_; }
    // The draw that ends the analysed window: High - offset.
    int LastAnalysedIndex() const;

    // Reads the archive file. After a read error (reported) the archive is
    // empty and false is returned; such a file is never rewritten, so every
    // change is refused until the program starts on a sound file.
    bool Load();

    // Clamped to 0..Count-1; announced when it changes.
    void SetOffset(int offset);
    void SetSorted(bool sorted);

    bool AddDraw(const TDrawRec& rec);
    bool ReplaceDraw(int index, const TDrawRec& rec);
    // Removes the draws at the archive indexes given (any order, repeats
    // ignored); an index outside the archive changes nothing.
    bool DeleteDrawsAt(const std::vector<int>& indexes);
    // Any other change: the edit works on a copy, which replaces the archive
    // once it is saved. An edit that throws changes nothing; an engine error
    // is reported, any other exception goes on to the caller.
    bool Change(const std::function<void(TDrawsArray&)>& edit);

  private:
    bool Save(TDrawsArray changed);

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    TDrawsArray draws_;
    int offset_ = 0;
    bool sorted_ = false;
    bool complete_ = true;  // the file was read whole (else it is never rewritten)
};

}  // namespace corvel::app
