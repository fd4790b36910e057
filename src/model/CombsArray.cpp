#include "model/CombsArray.h"

#include <cstring>
#include <stdexcept>

namespace corvel {

TCombsArray::TCombsArray(std::size_t capacity)
    : capacity_(capacity), data_(std::make_unique_for_overwrite<TCombination[]>(capacity + 1)) {}

void TCombsArray::SetCount(std::size_t count) {
    if (count > capacity_) throw std::length_error("combination list capacity exceeded");
    count_ = count;
}

bool TCombsArray::Append(const TCombination& c) {
    if (count_ == capacity_) return false;
    data_[count_++] = c;
    return true;
}

void TCombsArray::CopyFrom(const TCombsArray& other) {
    SetCount(other.count_);
    if (count_) std::memcpy(data_.get(), other.data_.get(), count_ * sizeof(TCombination));
}

}  // namespace corvel
