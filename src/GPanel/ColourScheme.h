#pragma once

#include <QColor>

class QPalette;

// The window is designed in light colours. Under a dark desktop palette those colours are
// shown mirrored into the dark: a light background becomes a dark one of the same hue and
// saturation, a dark text a light one. Under a light palette every colour shows as designed.

// A palette whose window colour is darker than its text colour.
bool IsDarkPalette(const QPalette& palette);
// Whether the application's palette is dark now.
bool DarkScheme();

// How a designed background colour shows under the application's palette: as designed under
// a light one; under a dark one its lightness mirrored into the range between the palette's
// base colour (where white lands, at most MaxDarkBase) and MaxDarkLightness, its saturation
// at most MaxDarkSaturation, and darker still where the palette's window or edit text would
// read at less than 4.5:1 on it. Alpha is kept.
QColor SchemeBackground(const QColor& designed);
// How a designed text colour shows: as designed under a light palette, its lightness
// mirrored under a dark one (black text turns white).
QColor SchemeText(const QColor& designed);

inline constexpr int MaxDarkBase = 40;
inline constexpr int MaxDarkLightness = 96;
inline constexpr int MaxDarkSaturation = 80;

// WCAG contrast ratio of two opaque colours, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
