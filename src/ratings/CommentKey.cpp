#include "ratings/CommentKey.h"

#include <array>
#include <cstring>

namespace corvel {
namespace {

// Lower case of a code page 1251 byte: Latin, Russian and Ё.
constexpr std::array<std::uint8_t, 256> kFold = [] {
    std::array<std::uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
        int f = b;
        if (b >= 'A' && b <= 'Z') f = b + 32;
        if (b >= 0xC0 && b <= 0xDF) f = b + 32;
        if (b == 0xA8) f = 0xB8;
        t[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(f);
    }
    return t;
}();

constexpr std::uint64_t kMul = 0xBF58476D1CE4E5B9ull;

std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * kMul;
    return h ^ (h >> 31);
}

}  // namespace

void FoldCommentBytes(const std::uint8_t* bytes, std::size_t size, std::uint8_t* out) {
    for (std::size_t i = 0; i < size; ++i) out[i] = kFold[bytes[i]];
}

std::string CommentKey(const std::uint8_t* comment) {
    std::string key(comment[0], '\0');
    FoldCommentBytes(comment + 1, key.size(), reinterpret_cast<std::uint8_t*>(key.data()));
    return key;
}

std::uint64_t TCommentIndex::Hash(const std::uint8_t* bytes, std::size_t size) {
    // Eight bytes at a time; the value lives only in memory, so the host's byte order does not matter.
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ size;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        h = Mix(h, word);
    }
    if (i < size) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + i, size - i);
        h = Mix(h, word);
    }
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 33);
}

std::size_t TCommentIndex::SlotOf(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.Row == kNone) return i;
        if (s.Hash == hash && s.Size == size && (size == 0 || std::memcmp(keys_.data() + s.Offset, bytes, size) == 0))
            return i;
    }
}

std::uint32_t TCommentIndex::Find(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) const {
    if (slots_.empty()) return kNone;
    return slots_[SlotOf(bytes, size, hash)].Row;
}

std::uint32_t TCommentIndex::Insert(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash,
                                    std::uint32_t row) {
    if (2 * (size_ + 1) > slots_.size()) Grow();
    Slot& s = slots_[SlotOf(bytes, size, hash)];
    if (s.Row != kNone) return s.Row;
    s.Hash = hash;
    s.Offset = keys_.size();
    s.Size = static_cast<std::uint32_t>(size);
    s.Row = row;
    keys_.insert(keys_.end(), bytes, bytes + size);
    ++size_;
    return row;
}

void TCommentIndex::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : 2 * old.size(), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.Row == kNone) continue;
        std::size_t i = s.Hash & mask;
        while (slots_[i].Row != kNone) i = (i + 1) & mask;
        slots_[i] = s;
    }
}

void TCommentIndex::Clear() {
    slots_.clear();
    keys_.clear();
    size_ = 0;
}

}  // namespace corvel
