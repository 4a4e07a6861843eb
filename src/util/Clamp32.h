#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// A 64-bit value saturated to the 32-bit range: sums and products of 32-bit sizes are
// computed in 64 bits and brought back without wrapping.
constexpr int32_t Clamp32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}
