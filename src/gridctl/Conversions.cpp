// Conversions between the grid's plain records and the toolkit's types.
#include "gridctl/Conversions.h"

#include <algorithm>

namespace {

constexpr int32_t DefaultPointSize = 10;
constexpr int32_t MaxPointSize = 500;

} // namespace

QColor ToColor(int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t ToColorValue(const QColor& color) {
    return color.red() | color.green() << 8 | color.blue() << 16;
}

QFont ToFont(const TPrintFont& font) {
    QFont result(font.Name);
    result.setPointSize(font.Size > 0 ? std::min(font.Size, MaxPointSize) : DefaultPointSize);
    result.setBold(font.Style & TPrintFont::fsBold);
    result.setItalic(font.Style & TPrintFont::fsItalic);
    result.setUnderline(font.Style & TPrintFont::fsUnderline);
    result.setStrikeOut(font.Style & TPrintFont::fsStrikeOut);
    return result;
}

TPrintFont FromFont(const QFont& font, int32_t color) {
    TPrintFont result;
    result.Name = font.family();
    result.Size = std::max(font.pointSize(), 1);
    result.Style = (font.bold() ? TPrintFont::fsBold : 0) |
                   (font.italic() ? TPrintFont::fsItalic : 0) |
                   (font.underline() ? TPrintFont::fsUnderline : 0) |
                   (font.strikeOut() ? TPrintFont::fsStrikeOut : 0);
    result.Color = color;
    return result;
}
