#pragma once

#include <array>
#include <string_view>

// Film and video formats in the order they are added; the list sorts them afterwards.
extern const std::array<std::string_view, 114> FilmVideoFormats;
// Computer display formats, shown in this order after the sorted film and video block.
extern const std::array<std::string_view, 12> DisplayFormats;
