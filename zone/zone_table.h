#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zonora {

inline constexpr std::size_t kZoneCount = 256;

// The one piece of data the program moves: 256 byte values, all zero when new.
using ZoneTable = std::array<std::uint8_t, kZoneCount>;

}  // namespace zonora
