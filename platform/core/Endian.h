#pragma once

// Little-endian 32-bit words in byte buffers, whatever the machine's own byte order: the
// layout of the handheld's files.

#include <QtEndian>

#include <cstdint>

namespace platform {

inline std::int32_t ReadLittleEndian32(const std::uint8_t* bytes) {
    return qFromLittleEndian<std::int32_t>(bytes);
}

inline void WriteLittleEndian32(std::int32_t value, std::uint8_t* bytes) {
    qToLittleEndian(value, bytes);
}

}  // namespace platform
