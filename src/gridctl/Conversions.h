#pragma once

#include "files/TPrintSettings.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>

// Between the grid's own records (UTF-8 texts, colour values, print fonts) and Qt's types.

inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}

// Colour values keep red in the lowest byte, then green and blue; higher bits are ignored.
QColor ToColor(int32_t value);
int32_t ToColorValue(const QColor& color);

// The font a print font stands for: a size of 0 or less means 10 points, sizes above 500
// points are cut to 500.
QFont ToFont(const TPrintFont& font);
// The name, size (at least 1 point) and style of a chosen font; the colour is kept.
TPrintFont FromFont(const QFont& font, int32_t color);
