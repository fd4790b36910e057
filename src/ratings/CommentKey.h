#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the ratings tell comments apart: by their code page 1251 bytes with
// letter case ignored (Latin, Russian and Yo), so comments that differ only in
// case are one. The ratings table and the graphs of its rows use the same key.
namespace corvel {

// The lower case of `size` code page 1251 bytes, written to out.
void FoldCommentBytes(const std::uint8_t* bytes, std::size_t size, std::uint8_t* out);
// The key of a comment field (its length byte first).
std::string CommentKey(const std::uint8_t* comment);

// A map from short byte strings (at most 255 bytes) to row numbers, kept in
// flat arrays: a lookup hashes the bytes once and compares them in place, with
// no allocation, which is what the ratings rebuild does once for every stake.
class TCommentIndex {
  public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    static std::uint64_t Hash(const std::uint8_t* bytes, std::size_t size);

    // The row of the bytes, kNone when they are not in the index; hash is Hash(bytes, size).
    std::uint32_t Find(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) const;
    // Adds the bytes with the row unless they are in the index already (the
    // first row stays); the row the index holds for them.
    std::uint32_t Insert(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash, std::uint32_t row);
    // Starts loading the slot a lookup of the hash begins at, for a pass that
    // hashes many keys ahead of looking them up.
    void Prefetch(std::uint64_t hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }
    void Clear();
    std::size_t Size() const { return size_; }

  private:
    struct Slot {
        std::uint64_t Hash = 0;
        std::uint64_t Offset = 0;  // of the bytes in keys_
        std::uint32_t Size = 0;
        std::uint32_t Row = kNone;  // kNone: a free slot
    };
    std::size_t SlotOf(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) const;
    void Grow();

    std::vector<Slot> slots_;  // open addressing, a power of two, at most half full
    std::vector<std::uint8_t> keys_;
    std::size_t size_ = 0;
};

}  // namespace corvel
