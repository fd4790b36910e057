#include "model/DrawRecord.h"

#include <algorithm>
#include <cstring>

#include "model/Cp1251.h"

namespace corvel {

std::string TDrawRec::DateText() const {
    std::size_t len = std::min<std::size_t>(DateLength, kDateCapacity);
    return Cp1251ToUtf8(std::string_view(DateBytes.data(), len));
}

void TDrawRec::SetDateText(std::string_view utf8) {
    std::string raw = Utf8ToCp1251(utf8);
    if (raw.size() > 10) raw.resize(10);
    DateBytes.fill(0);
    std::memcpy(DateBytes.data(), raw.data(), raw.size());
    DateLength = static_cast<std::uint8_t>(raw.size());
}

int TDrawRec::Sum() const {
    int s = 0;
    for (auto n : Numbers) s += n;
    return s;
}

void EncodeDrawRec(const TDrawRec& rec, std::uint8_t* out) {
    auto number = static_cast<std::uint32_t>(rec.Number);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(number >> (8 * i));
    std::memcpy(out + 4, rec.Numbers.data(), 6);
    std::memcpy(out + 10, rec.Extra.data(), 2);
    out[12] = rec.DateLength;
    std::memcpy(out + 13, rec.DateBytes.data(), TDrawRec::kDateCapacity);
}

TDrawRec DecodeDrawRec(const std::uint8_t* in) {
    TDrawRec rec;
    std::uint32_t number = 0;
    for (int i = 0; i < 4; ++i) number |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    rec.Number = static_cast<std::int32_t>(number);
    std::memcpy(rec.Numbers.data(), in + 4, 6);
    std::memcpy(rec.Extra.data(), in + 10, 2);
    // A length byte beyond the capacity is kept as written; readers clamp it.
    rec.DateLength = in[12];
    std::memcpy(rec.DateBytes.data(), in + 13, TDrawRec::kDateCapacity);
    return rec;
}

void SortNumbers(TCombination& n) {
    // Insertion sort on six bytes: the order the system has always used.
    for (std::size_t i = 1; i < n.size(); ++i) {
        std::uint8_t v = n[i];
        std::size_t j = i;
        while (j > 0 && n[j - 1] > v) {
            n[j] = n[j - 1];
            --j;
        }
        n[j] = v;
    }
}

TDrawRec SortedCopy(const TDrawRec& rec) {
    TDrawRec copy = rec;
    SortNumbers(copy.Numbers);
    return copy;
}

}  // namespace corvel
