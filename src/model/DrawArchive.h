#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "model/DrawRecord.h"

// The draw archive: the array of all past draws (oldest first), the archive
// file, and the look-ups every other part of the engine uses on it.
namespace corvel {

// Archives larger than this many records are refused as damaged when reading,
// and a write that would make one is refused too: a real archive holds a few
// thousand draws.
inline constexpr std::size_t kMaxArchiveRecords = 10'000'000;

// Reads the archive file. A missing file gives an empty archive without an
// error; trailing bytes that do not make a whole record are ignored. Anything
// but a regular file, a file of more than kMaxArchiveRecords records and a
// read that fails throw EFileError (found before anything is read, so there
// is never a part of an archive to show or to write back).
TDrawsArray ReadArchiveFile(const std::filesystem::path& path);

// Rewrites the archive file from the array through a temporary file; on
// failure the old file stays whole and EFileError carries the reason. More
// than kMaxArchiveRecords draws are refused without touching the file.
void WriteArchiveFile(const std::filesystem::path& path, const TDrawsArray& draws);

// Array index of the draw with that number, -1 when none (interpolation
// guess, a walk towards the number, then a full scan).
int FindDrawIndex(const TDrawsArray& draws, int number);

// Number of the draw after the one at High - offset; 1 for an empty archive,
// -1 when the offset is outside 0..Count-1.
int NextDrawNumber(const TDrawsArray& draws, int offset);

// "n1;n2;...;n6" of the draw that follows the analysed window (the first hidden
// draw) in drawing order; empty when nothing is hidden.
std::string NextDrawText(const TDrawsArray& draws, int offset);

// The six numbers of the draw listIndex places from the newest (0 = newest),
// unsorted; all zero outside the archive.
TCombination DrawNumbersAt(const TDrawsArray& draws, int listIndex);

// Archive record index (sorted copy when asked); all zero outside the archive.
TDrawRec GetDraw(const TDrawsArray& draws, int index, bool sorted);

// Removes the record at the index. Throws EInvalidArgument with
// texts::kDrawIndexNotFound outside 0..High.
void DeleteDraw(TDrawsArray& draws, int index);

// The texts of status bar panels 0 to 2 for the archive and the offset.
std::array<std::string, 3> ArchiveStatusTexts(const TDrawsArray& draws, int offset);

// The draw that ends the analysed window: High - offset.
inline int LastAnalysedIndex(const TDrawsArray& draws, int offset) {
    return static_cast<int>(draws.size()) - 1 - offset;
}

}  // namespace corvel
