#pragma once

#include <cstdint>
#include <string>

// y / (x / width) in extended precision: the height in ratio x : y for the given width.
// 0 when x or width is 0, where the quotient has no meaning.
double HeightForWidth(int32_t x, int32_t y, int32_t width);

// x / (y / height): the width in ratio x : y for the given height; 0 when y or height is 0.
double WidthForHeight(int32_t x, int32_t y, int32_t height);

// A frame enlarged by letterbox bars. 64-bit, because extreme ratios give frames beyond the
// 32-bit range and the grid shows them exactly.
struct LetterboxFrame {
    int64_t Width;
    int64_t Height;
    bool operator==(const LetterboxFrame&) const = default;
};

// The frame that shows a width x height picture of playing ratio px : py on a screen of ratio
// sx : sy, with even bars added above and below or at the sides. The picture's own pixels
// stay. Inputs that make the geometry meaningless (a zero width, height or ratio term, or
// bars beyond 2^62 pixels) leave the frame as it is.
LetterboxFrame FitLetterbox(int32_t width, int32_t height, int32_t sx, int32_t sy, int32_t px,
                            int32_t py);

// a when cond holds, else b.
std::string ChooseText(bool cond, const std::string& a, const std::string& b);
