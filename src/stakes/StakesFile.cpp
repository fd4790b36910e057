#include "stakes/StakesFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/LittleEndian.h"

namespace corvel {
namespace {

constexpr std::int64_t kRec = static_cast<std::int64_t>(TStakeRec::kFileSize);
// Records moved per read or write while rewriting (about 1.2 MB).
constexpr std::size_t kChunkRecords = 4096;

void ReadExactly(int fd, const std::filesystem::path& path, std::uint8_t* out, std::size_t size, std::int64_t at) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pread(fd, out + done, size - done, static_cast<off_t>(at + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowFileError(path, errno);
        }
        if (n == 0) ThrowFileError(path, EIO);  // the file shrank under us
        done += static_cast<std::size_t>(n);
    }
}

void WriteExactly(int fd, const std::filesystem::path& path, const std::uint8_t* data, std::size_t size,
                  std::int64_t at) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::pwrite(fd, data + done, size - done, static_cast<off_t>(at + static_cast<std::int64_t>(done)));
        if (n < 0) {
            if (errno == EINTR) continue;
            ThrowFileError(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

std::int64_t FileSize(int fd, const std::filesystem::path& path) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) ThrowFileError(path, errno);
    return static_cast<std::int64_t>(st.st_size);
}

// Opens the path when it is a regular file. O_NONBLOCK: a FIFO in its place
// must not block the open; it is refused just after. Without O_CREAT a
// missing file gives -1.
int OpenRegularFile(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        if (errno == ENOENT && (flags & O_CREAT) == 0) return -1;
        ThrowFileError(path, errno);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        ThrowFileError(path, err);
    }
    return fd;
}

std::filesystem::path BackupPath(const std::filesystem::path& path) {
    return std::filesystem::path(path.string() + ".bak");
}

}  // namespace

bool StakeMatchesCondition(const TStakeRec& rec, TStakeCondition condition, int value) {
    const int h = rec.Hits.Count;
    switch (condition) {
        case TStakeCondition::Equal:
            return h == value;
        case TStakeCondition::Greater:
            return h > value;
        case TStakeCondition::AtLeast:
            return h >= value;
        case TStakeCondition::Less:
            return h < value;
        case TStakeCondition::AtMost:
            return h <= value;
    }
    return false;
}

TStakesFile::TStakesFile(std::filesystem::path path) : path_(std::move(path)) {}

TStakesFile::~TStakesFile() { Close(); }

void TStakesFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TStakesFile::Reopen() {
    Close();
    fd_ = OpenRegularFile(path_, O_RDWR | O_CREAT);
}

std::vector<std::string> TStakesFile::Open() {
    Reopen();
    std::vector<std::string> warnings;
    const std::int64_t size = FileSize(fd_, path_);
    if (size == 0) return warnings;

    std::uint8_t first = 0;
    ReadExactly(fd_, path_, &first, 1, 0);
    const bool oldVersion = first != TStakeRec::kVersion;
    const std::int64_t partial = size % kRec;
    if (oldVersion || partial != 0) {
        // Nothing is cut before a copy of the file as it was is on the disk.
        {
            TAtomicFileWriter backup(BackupPath(path_), 0600);
            std::vector<std::uint8_t> buffer(kChunkRecords * TStakeRec::kFileSize);
            for (std::int64_t at = 0; at < size;) {
                const std::size_t n = static_cast<std::size_t>(
                    std::min<std::int64_t>(size - at, static_cast<std::int64_t>(buffer.size())));
                ReadExactly(fd_, path_, buffer.data(), n, at);
                backup.Write(std::string_view(reinterpret_cast<const char*>(buffer.data()), n));
                at += static_cast<std::int64_t>(n);
            }
            backup.Commit();
        }
        if (oldVersion) {
            warnings.push_back(texts::kStakesOldVersion.Str());
            if (::ftruncate(fd_, 0) != 0) ThrowFileError(path_, errno);
        } else {
            warnings.push_back(Format(texts::kStakesPartialRecord, {partial}));
            if (::ftruncate(fd_, size - partial) != 0) ThrowFileError(path_, errno);
        }
        if (::fsync(fd_) != 0) ThrowFileError(path_, errno);
        warnings.push_back(Format(texts::kStakesBackupSaved, {BackupPath(path_).string()}));
        if (oldVersion) return warnings;
    }

    // Damaged records stay in the file (nothing is lost) but are reported.
    const std::int64_t count = Count();
    std::int64_t damaged = 0, firstDamaged = -1;
    std::string firstWhy;
    std::vector<TStakeRec> chunk(kChunkRecords);
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunkRecords));
        ReadRange(at, std::span(chunk).first(n));
        for (std::size_t i = 0; i < n; ++i) {
            std::string why = StakeDamage(chunk[i]);
            if (why.empty()) continue;
            if (damaged++ == 0) {
                firstDamaged = at + static_cast<std::int64_t>(i);
                firstWhy = std::move(why);
            }
        }
        at += static_cast<std::int64_t>(n);
    }
    if (damaged > 0) warnings.push_back(Format(texts::kStakesDamagedRecords, {damaged, firstDamaged, firstWhy}));
    return warnings;
}

std::vector<std::string> TStakesFile::OpenForReading() {
    Close();
    std::vector<std::string> warnings;
    fd_ = OpenRegularFile(path_, O_RDONLY);
    if (fd_ < 0) return warnings;
    const std::int64_t size = FileSize(fd_, path_);
    if (size == 0) return warnings;
    std::uint8_t first = 0;
    ReadExactly(fd_, path_, &first, 1, 0);
    if (first != TStakeRec::kVersion) {
        Close();
        throw EFileError(Format(texts::kStakesOldVersionNotRead, {path_.string()}));
    }
    if (size % kRec != 0) warnings.push_back(Format(texts::kStakesPartialRecordSkipped, {size % kRec}));
    return warnings;
}

std::int64_t TStakesFile::Count() const {
    if (fd_ < 0) return 0;
    return FileSize(fd_, path_) / kRec;
}

TStakeRec TStakesFile::Read(std::int64_t index) const {
    TStakeRec rec;
    ReadRange(index, std::span(&rec, 1));
    return rec;
}

void TStakesFile::ReadRange(std::int64_t first, std::span<TStakeRec> out) const {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    if (out.empty()) return;
    const std::int64_t count = Count();
    const std::int64_t last = first + static_cast<std::int64_t>(out.size()) - 1;
    if (first < 0 || last >= count)
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {first < 0 ? first : last}));
    std::vector<std::uint8_t> bytes(out.size() * TStakeRec::kFileSize);
    ReadExactly(fd_, path_, bytes.data(), bytes.size(), first * kRec);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = DecodeStakeRec(bytes.data() + i * TStakeRec::kFileSize);
}

void TStakesFile::ReadRecordBytes(std::int64_t first, std::size_t count, std::uint8_t* out) const {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    if (count == 0) return;
    const std::int64_t last = first + static_cast<std::int64_t>(count) - 1;
    if (first < 0 || last >= Count())
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {first < 0 ? first : last}));
    ReadExactly(fd_, path_, out, count * TStakeRec::kFileSize, first * kRec);
}

void TStakesFile::Write(std::int64_t index, const TStakeRec& rec) {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    if (index < 0 || index >= Count()) throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {index}));
    std::uint8_t bytes[TStakeRec::kFileSize];
    EncodeStakeRec(rec, bytes);
    WriteExactly(fd_, path_, bytes, sizeof bytes, index * kRec);
}

void TStakesFile::WriteRange(std::int64_t first, std::span<const TStakeRec> recs) {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    if (recs.empty()) return;
    const std::int64_t last = first + static_cast<std::int64_t>(recs.size()) - 1;
    if (first < 0 || last >= Count())
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {first < 0 ? first : last}));
    std::vector<std::uint8_t> bytes(recs.size() * TStakeRec::kFileSize);
    for (std::size_t i = 0; i < recs.size(); ++i) EncodeStakeRec(recs[i], bytes.data() + i * TStakeRec::kFileSize);
    WriteExactly(fd_, path_, bytes.data(), bytes.size(), first * kRec);
}

TStakesFile::TMapping::~TMapping() {
    if (data_) ::munmap(data_, size_);
}

TStakesFile::TMapping TStakesFile::MapRecords() {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    const std::size_t size = static_cast<std::size_t>(Count() * kRec);
    if (size == 0) return TMapping(nullptr, 0);
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd_, 0);
    if (data == MAP_FAILED) ThrowFileError(path_, errno);
    ::madvise(data, size, MADV_SEQUENTIAL);
    return TMapping(static_cast<std::uint8_t*>(data), size);
}

void TStakesFile::Append(const TStakeRec& rec, int draws) { Append(std::span(&rec, 1), draws); }

void TStakesFile::Append(std::span<const TStakeRec> recs, int draws) {
    AppendGenerated(
        static_cast<std::int64_t>(recs.size()), [recs](std::int64_t i) { return recs[static_cast<std::size_t>(i)]; },
        draws);
}

bool TStakesFile::AppendGenerated(std::int64_t count, const std::function<TStakeRec(std::int64_t)>& make, int draws,
                                  const std::function<bool(std::int64_t)>& going) {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    if (draws < 1) throw EInvalidArgument(Format(texts::kStakeBadDrawsCount, {draws}));
    if (count <= 0) return true;
    // At most a separator before every copy.
    const std::int64_t perStake = draws < 2 ? 1 : 2 * static_cast<std::int64_t>(draws);
    RequireFreeSpace(path_,
                     static_cast<std::uint64_t>(count) * static_cast<std::uint64_t>(perStake) * TStakeRec::kFileSize);
    const std::int64_t oldCount = Count();
    bool endsWithStake = oldCount > 0 && !Read(oldCount - 1).IsSeparator();
    // Encoded into a buffer that stays in the cache and written out whenever
    // it is full, after the last whole record; a crash midway leaves a partial
    // record at the end at most, which the next start cuts off.
    std::vector<std::uint8_t> bytes(kChunkRecords * TStakeRec::kFileSize);
    std::size_t used = 0;
    std::int64_t end = oldCount * kRec;
    bool stopped = false;
    std::int64_t done = 0;
    auto flush = [&] {
        WriteExactly(fd_, path_, bytes.data(), used, end);
        end += static_cast<std::int64_t>(used);
        used = 0;
        if (going && !going(done)) stopped = true;
    };
    auto put = [&](const TStakeRec& r) {
        if (used == bytes.size()) flush();
        EncodeStakeRec(r, bytes.data() + used);
        used += TStakeRec::kFileSize;
    };
    const TStakeRec blank = BlankStake();
    try {
        for (; done < count && !stopped; ++done) {
            const TStakeRec rec = make(done);
            if (rec.Checked) throw EInvalidArgument(texts::kStakeAppendChecked);
            // Draw + draws - 1 must stay a draw number: never wrap into separators.
            if (rec.Draw > 0 && draws > 1 && rec.Draw > INT32_MAX - (draws - 1))
                throw EInvalidArgument(Format(texts::kStakeDrawsOverflow, {draws, rec.Draw}));
            if (draws < 2) {
                put(rec);
                endsWithStake = !rec.IsSeparator();
                continue;
            }
            for (int i = 0; i < draws; ++i) {
                if (endsWithStake) put(blank);
                TStakeRec copy = rec;
                if (copy.Draw > 0) copy.Draw += i;
                put(copy);
                endsWithStake = !copy.IsSeparator();
            }
        }
        if (used > 0 && !stopped) flush();
    } catch (...) {
        // A refused stake or a failed write (a full disk) leaves the file as
        // it was; the first error is the one to report.
        [[maybe_unused]] const int cut = ::ftruncate(fd_, oldCount * kRec);
        throw;
    }
    if (stopped) {
        if (::ftruncate(fd_, oldCount * kRec) != 0) ThrowFileError(path_, errno);
        return false;
    }
    return true;
}

template <class Keep>
void TStakesFile::RewriteKeeping(Keep keep) {
    if (fd_ < 0) throw ECorvelError(texts::kStakesNotOpen);
    const std::int64_t count = Count();
    {
        TAtomicFileWriter writer(path_, 0644);
        std::vector<TStakeRec> chunk(kChunkRecords);
        std::vector<std::uint8_t> out;
        out.reserve(kChunkRecords * TStakeRec::kFileSize);
        for (std::int64_t at = 0; at < count;) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunkRecords));
            ReadRange(at, std::span(chunk).first(n));
            out.clear();
            for (std::size_t i = 0; i < n; ++i) {
                if (!keep(at + static_cast<std::int64_t>(i), chunk[i])) continue;
                const std::size_t pos = out.size();
                out.resize(pos + TStakeRec::kFileSize);
                EncodeStakeRec(chunk[i], out.data() + pos);
            }
            writer.Write(std::string_view(reinterpret_cast<const char*>(out.data()), out.size()));
            at += static_cast<std::int64_t>(n);
        }
        writer.Commit();
    }
    // The name now belongs to the new file.
    Reopen();
}

void TStakesFile::DeleteRange(std::int64_t first, std::int64_t last) {
    const std::int64_t count = Count();
    if (first < 0 || last < first || last >= count)
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {first < 0 || last < first ? first : last}));
    RewriteKeeping([first, last](std::int64_t index, const TStakeRec&) { return index < first || index > last; });
}

void TStakesFile::DeleteRecords(std::vector<std::int64_t> indexes) {
    const std::int64_t count = Count();
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (std::int64_t i : indexes)
        if (i < 0 || i >= count) throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {i}));
    RewriteKeeping([&indexes](std::int64_t index, const TStakeRec&) {
        return !std::binary_search(indexes.begin(), indexes.end(), index);
    });
}

void TStakesFile::DeleteByCondition(TStakeCondition condition, int value) {
    RewriteKeeping([condition, value](std::int64_t, const TStakeRec& rec) {
        return rec.Kind == TStakeKind::None || !StakeMatchesCondition(rec, condition, value);
    });
}

void TStakesFile::Clear() {
    RewriteKeeping([](std::int64_t, const TStakeRec&) { return false; });
}

bool TStakesFile::Find(std::int32_t draw, const TStakeNumbers& numbers) const {
    const std::int64_t count = Count();
    std::vector<TStakeRec> chunk(kChunkRecords);
    for (std::int64_t at = 0; at < count;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(count - at, kChunkRecords));
        ReadRange(at, std::span(chunk).first(n));
        for (std::size_t i = 0; i < n; ++i)
            if (chunk[i].Draw == draw && SameNumbers(chunk[i].Stake, numbers)) return true;
        at += static_cast<std::int64_t>(n);
    }
    return false;
}

TStakesFile::TRecentDraws TStakesFile::CountRecentDraws(int limit) const {
    TRecentDraws result;
    std::int32_t current = 0;
    // Read backwards a block at a time; only Draw, Checked and the match count matter.
    constexpr std::int64_t kBlock = 1024;
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kBlock) * TStakeRec::kFileSize);
    for (std::int64_t end = Count(); end > 0;) {
        const std::int64_t first = std::max<std::int64_t>(0, end - kBlock);
        ReadRecordBytes(first, static_cast<std::size_t>(end - first), block.data());
        for (std::int64_t i = end - 1; i >= first; --i) {
            const std::uint8_t* rec = block.data() + static_cast<std::size_t>(i - first) * TStakeRec::kFileSize;
            const std::int32_t draw = le::LoadI32(rec + 4);
            if (draw <= 0 || rec[8] == 0 || le::LoadI32(rec + 36) < 0) continue;
            if (result.Count == 0 || draw != current) {
                // A further draw number beyond the limit: the stakes start after it.
                if (result.Count >= limit) {
                    result.Start = i + 1;
                    return result;
                }
                current = draw;
                ++result.Count;
            }
        }
        end = first;
    }
    result.Start = 0;
    return result;
}

}  // namespace corvel
