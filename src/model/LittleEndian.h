#pragma once

#include <cstdint>

// Little-endian integers of the record files, byte by byte, whatever the
// machine's own order.
namespace corvel::le {

inline void StoreI32(std::uint8_t* out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

inline std::int32_t LoadI32(const std::uint8_t* in) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

inline void StoreI64(std::uint8_t* out, std::int64_t v) {
    const auto u = static_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

inline std::int64_t LoadI64(const std::uint8_t* in) {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    return static_cast<std::int64_t>(u);
}

}  // namespace corvel::le
