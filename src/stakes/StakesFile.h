#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "stakes/StakeRecord.h"

// The stakes file: 312-byte records in file order, no header. It stays open
// while the program runs; single records are read and rewritten in place,
// stakes are appended at the end, and deleting rewrites the whole file through
// a temporary file renamed over the old one, so a crash or a full disk leaves
// either the old file or the new one.
namespace corvel {

// The match-count conditions of deleting by condition, in the dialog's order.
enum class TStakeCondition : std::uint8_t { Equal = 0, Greater = 1, AtLeast = 2, Less = 3, AtMost = 4 };

class TStakesFile {
  public:
    explicit TStakesFile(std::filesystem::path path);
    ~TStakesFile();
    TStakesFile(const TStakesFile&) = delete;
    TStakesFile& operator=(const TStakesFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Opens the file (created empty when missing) and checks it as start-up
    // does. A partial record at the end (a crash while appending) is cut off
    // and the whole records kept; a file of another record version is emptied.
    // Either way a copy of the file as it was is saved first (Path() + ".bak").
    // Damaged records are counted and kept. Returns the warnings to show
    // (none for a sound file). Throws EFileError when the file cannot be used.
    std::vector<std::string> Open();
    // Opens the file only to read it, as it is: nothing is created or
    // repaired, a partial record at the end is left out of Count (a warning
    // says so), and an old-version file is refused (EFileError). A missing
    // file reads as empty.
    std::vector<std::string> OpenForReading();
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    std::int64_t Count() const;
    // Throws EInvalidArgument texts::kDrawIndexNotFound outside 0..Count-1.
    TStakeRec Read(std::int64_t index) const;
    // Records first .. first + out.size() - 1, in one read.
    void ReadRange(std::int64_t first, std::span<TStakeRec> out) const;
    // The bytes of `count` records from `first` on, as the file holds them,
    // for a pass that reads a few fields of every record.
    void ReadRecordBytes(std::int64_t first, std::size_t count, std::uint8_t* out) const;
    // Rewrites one record in place (a stake that has been checked).
    void Write(std::int64_t index, const TStakeRec& rec);
    // Rewrites records first .. first + recs.size() - 1 in place, in one write.
    void WriteRange(std::int64_t first, std::span<const TStakeRec> recs);

    // The records mapped into memory for a pass that reads them all and
    // changes some in place: a change is in the file as soon as the bytes are
    // written (the system writes them to the disk in its own time, as it does
    // for any write). Valid while the object lives; the file must not be
    // rewritten meanwhile.
    class TMapping {
      public:
        TMapping(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
        ~TMapping();
        TMapping(const TMapping&) = delete;
        TMapping& operator=(const TMapping&) = delete;
        std::size_t Count() const { return size_ / TStakeRec::kFileSize; }
        std::uint8_t* Record(std::size_t index) { return data_ + index * TStakeRec::kFileSize; }

      private:
        std::uint8_t* data_;
        std::size_t size_;
    };
    TMapping MapRecords();

    // Appends each stake for `draws` consecutive draws from its Draw on: with
    // draws >= 2 every copy is preceded by a separator unless the file is
    // empty or ends with a separator already. A checked stake, a draws count
    // below 1 or a series that would pass the largest draw number is refused,
    // and so is an append the free space of the disk cannot hold. The
    // records go out in cache-sized writes; all or nothing: when a write
    // fails (a full disk) or a stake is refused, the file is cut back to its
    // old length.
    void Append(const TStakeRec& rec, int draws = 1);
    void Append(std::span<const TStakeRec> recs, int draws = 1);
    // The same for `count` stakes made one by one by make(i), i = 0..count-1,
    // so that a whole list never has to be held as records. going(done) is
    // asked after every piece written; when it answers false the file is cut
    // back to its old length and the answer is false.
    bool AppendGenerated(std::int64_t count, const std::function<TStakeRec(std::int64_t)>& make, int draws,
                         const std::function<bool(std::int64_t done)>& going = {});

    // Rewrites the file without records first..last (indexes, inclusive).
    void DeleteRange(std::int64_t first, std::int64_t last);
    // Rewrites the file without the records of the indexes (any order, repeats allowed).
    void DeleteRecords(std::vector<std::int64_t> indexes);
    // Rewrites the file without the stakes whose match count satisfies the
    // condition against value; separators are always kept, and an unchecked
    // stake counts -1 matches.
    void DeleteByCondition(TStakeCondition condition, int value);
    // Empties the file (through the same crash-safe rewrite).
    void Clear();

    // Whether a stake for the draw with the same numbers is in the file.
    bool Find(std::int32_t draw, const TStakeNumbers& numbers) const;

    // Walking back from the last record over the checked stakes (Draw > 0,
    // Hits.Count >= 0): how many distinct draw numbers, at most `limit`, and
    // the index of the first record of the last of those draws counted (0
    // when the walk reached the start).
    struct TRecentDraws {
        int Count = 0;
        std::int64_t Start = 0;
    };
    TRecentDraws CountRecentDraws(int limit) const;

  private:
    void Reopen();
    // Rewrites the file with the records for which keep(index, rec) is true.
    template <class Keep>
    void RewriteKeeping(Keep keep);

    std::filesystem::path path_;
    int fd_ = -1;
};

bool StakeMatchesCondition(const TStakeRec& rec, TStakeCondition condition, int value);

}  // namespace corvel
