#pragma once

#include "core/ResultComputation.h"

#include <array>
#include <cstdint>
#include <string_view>

class superarray;

// One column of the result grid as the window declares it.
struct ResultColumnDecl {
    std::string_view Name; // the name that column layouts use
    int32_t Id;            // the cell of a result row
    std::string_view Caption;
    std::string_view SizeSpec;
};

// The result columns in the window's order. Every reader of the results (the grid, the
// command line) lists them in this order under these captions.
inline constexpr std::array<ResultColumnDecl, 8> ResultColumns = {{
    {"Width", WidthColumn, "Width", "10|30"},
    {"Height", HeightColumn, "Height", "10|30"},
    {"Area%", AreaPercentColumn, "Area as %", "30|0"},
    {"Area (h*w)", AreaColumn, "Area as Height*Width", "30|0"},
    {"PixelDif", PixelDifColumn, "PixelDifference", "30|0"},
    {"Width dividable by", WidthDivisorsColumn, "Width dividable by", "70|0"},
    {"Height dividable by", HeightDivisorsColumn, "Height dividable by", "70|0"},
    {"Letterboxed", LetterboxColumn, "Letterboxed", "50|0"},
}};

// Empties `table` for result rows and gives the area percentage its "%" where it is shown.
void InitResultTable(superarray& table);
