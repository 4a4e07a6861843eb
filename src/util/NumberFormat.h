#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Separator that GroupDigits puts between groups of three digits. Empty (the start value)
// means GroupDigits changes nothing; the main window sets it to "'".
extern std::string DigitGroupSeparator;

// Plain decimal, "-" for negatives, no grouping.
std::string IntToText(int32_t value);
std::string Int64ToText(int64_t value);

// Fixed-point text with `decimals` decimals (anything outside 0..11 counts as 11). The value
// is first taken to 18 significant digits (17 decimals below 1), then cut and rounded half
// away from zero, so 0.125 gives "0.13". The decimal point is "." whatever the locale. A
// value that rounds to zero has no sign; NaN and the infinities give "NAN", "INF", "-INF";
// huge magnitudes are written in full digits, never in exponent notation.
std::string FloatToFixed(int decimals, double value);

// FloatToFixed's digits read as one whole number, point left out: 2.5 at two decimals is
// 250, so equal texts give equal numbers and larger values larger ones. None for a negative
// value, not-a-number, an infinity, or digits beyond 64 bits.
std::optional<uint64_t> FixedUnits(int decimals, double value);

// FloatToFixed without trailing zeros of the fraction and without a bare point:
// "100", "12.5", "0", "1.333333".
std::string FloatToText(int decimals, double value);

// Inserts DigitGroupSeparator between groups of three digits of the integer part. With a
// width limit (0 = none) the rightmost separators are dropped until the text fits; where a
// separator would stand among leading blanks a blank is inserted instead, so right-aligned
// texts stay aligned. A text already at or over the limit is returned unchanged. No separator
// follows a sign ("-1'234", never "-'123").
std::string GroupDigits(const std::string& text, int32_t width = 0);
