#pragma once

#include <array>
#include <cstdint>
#include <string>

class superarray;

// The widest width the window lets a range reach.
inline constexpr int32_t MaxWidth = 32768;

// "From" and "To" above MaxWidth are written back as MaxWidth by the window's handler.
constexpr int32_t CapWidth(int32_t width) {
    return width > MaxWidth ? MaxWidth : width;
}

// The columns of a result row; the grid declares its columns with the same ids.
enum ResultColumn : int32_t {
    WidthColumn = 1,
    HeightColumn = 2,
    AreaPercentColumn = 3,
    AreaColumn = 4,
    PixelDifColumn = 5,
    HeightDivisorsColumn = 6,
    WidthDivisorsColumn = 7,
    LetterboxColumn = 8,
};

// Everything one run of the result computation reads from the window.
struct ResultInputs {
    int32_t From = 1; // first width of the range
    int32_t To = 768; // last width of the range
    int32_t RatioX = 4;
    int32_t RatioY = 3;
    int32_t EchoForWidth = 4;  // the width whose height in the ratio is echoed
    int32_t EchoForHeight = 3; // the height whose width in the ratio is echoed
    std::string WidthDiv = "4";
    std::string HeightDiv = "4";
    std::string WidthNotDiv;
    std::string HeightNotDiv;
    int32_t SX = 4; // screen ratio
    int32_t SY = 3;
    int32_t PX = 16; // playing ratio
    int32_t PY = 9;
    bool Rotated = false; // a picture turned by 90 degrees: the screen terms trade places
    bool Grouping = true; // digit grouping in the two area columns
};

// The pair that area percentages and pixel differences are measured against. It is chosen
// once (the first row of the first run, or a click) and kept across runs.
struct ReferencePair {
    int32_t Width = -1; // -1 or 0: none chosen yet
    int32_t Height = 0;
};

// What the window echoes besides the table.
struct ResultEchoes {
    int32_t ReducedX = 0;
    int32_t ReducedY = 0;
    int64_t ReducedProduct = 0;
    std::string EchoHeight; // ": " and the height for EchoForWidth, "3" for 4 : 3 and 4
    std::string EchoWidth;  // the width for EchoForHeight and ":"
    // Pairs of the range that pass the filters but are not listed because their height is
    // beyond 32 bits.
    int32_t TooTall = 0;
};

// Rebuilds `table` with one row per width of the range that has a whole height in the ratio
// and passes the four filters: 1 width, 2 height, 3 area %, 4 area, 5 pixel difference,
// 6 height divisors, 7 width divisors, 8 letterboxed frame. Only cells 1 and 2 are stored;
// the table computes the others from them when they are read. Chooses the reference pair
// when none is chosen yet.
ResultEchoes ComputeResults(const ResultInputs& inputs, superarray& table,
                            ReferencePair& reference);

// The numbers behind the derived cells of a listed pair, for readers that want values:
// the pixel difference to the reference (width, then height) and the letterboxed frame (its
// width and height, then what the bars add to each).
std::array<int64_t, 2> PixelDifference(const ReferencePair& reference, int32_t width,
                                       int32_t height);
std::array<int64_t, 4> LetterboxNumbers(const ResultInputs& inputs, int32_t width, int32_t height);
