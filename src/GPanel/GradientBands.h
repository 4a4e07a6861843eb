#pragma once

#include <QColor>
#include <vector>

// One solid band of a gradient strip: it covers [Start, Start + Length) along the strip.
struct TGradientBand {
    int Start = 0;
    int Length = 0;
    QColor Color;
};

// The bands that paint a gradient from `from` to `to` over `length` pixels. Each band is one
// step of the colour component that changes most, widened so that the steps spend the whole
// length; the last band holds the rest of the length and may be empty. Components step by the
// truncated integer rule start + ((delta * 100 / n) * i) / 100, so a long black-to-white strip
// ends a little short of white. No bands for a length below 1; when the components do not
// differ at all, one band of `from` fills the strip.
std::vector<TGradientBand> GradientBands(const QColor& from, const QColor& to, int length);
