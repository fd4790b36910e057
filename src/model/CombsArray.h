#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "model/GameConstants.h"

namespace corvel {

// A list of combinations with room for all 12,271,512 of them, allocated once
// and never reallocated: generation, filtering and undo only move 6-byte
// records between two such arrays. The count says how many entries are valid.
// Two spare bytes after the last slot let kernels read a combination as one
// 8-byte word without reading past the allocation.
class TCombsArray {
  public:
    explicit TCombsArray(std::size_t capacity = kAllCombinations);
    TCombsArray(const TCombsArray&) = delete;
    TCombsArray& operator=(const TCombsArray&) = delete;

    std::size_t Count() const { return count_; }
    std::size_t Capacity() const { return capacity_; }
    bool Empty() const { return count_ == 0; }

    TCombination* Data() { return data_.get(); }
    const TCombination* Data() const { return data_.get(); }
    std::span<TCombination> Items() { return {data_.get(), count_}; }
    std::span<const TCombination> Items() const { return {data_.get(), count_}; }
    std::span<TCombination> Room() { return {data_.get(), capacity_}; }
    const TCombination& operator[](std::size_t i) const { return data_[i]; }

    // Sets the number of valid entries (at most the capacity).
    void SetCount(std::size_t count);
    void Clear() { count_ = 0; }
    // Appends when there is room; false when the list is full.
    bool Append(const TCombination& c);
    // Copies another list's entries (and count) into this one.
    void CopyFrom(const TCombsArray& other);

  private:
    std::size_t capacity_;
    std::size_t count_ = 0;
    std::unique_ptr<TCombination[]> data_;
};

}  // namespace corvel
