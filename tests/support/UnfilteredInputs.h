#pragma once

#include "core/ResultComputation.h"

#include <cstdint>
#include <tuple>

// The window's inputs without a divisor filter: every pair of x:y with a width from `from` to
// `to`.
inline ResultInputs Unfiltered(int32_t from, int32_t to, int32_t x = 4, int32_t y = 3) {
    ResultInputs in;
    std::tie(in.From, in.To, in.RatioX, in.RatioY) = std::tie(from, to, x, y);
    in.WidthDiv = in.HeightDiv = "";
    return in;
}
