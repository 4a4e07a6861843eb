#include "gridctl/Conversions.h"

#include <gtest/gtest.h>

namespace {

TEST(Conversions, PrintFontsAndColours) {
    struct Case {
        int32_t Size, Style;
        int PointSize; // of the font that prints
    } cases[] = {{12, TPrintFont::fsBold | TPrintFont::fsStrikeOut, 12},
                 {0, TPrintFont::fsItalic, 10}, // no size: the default
                 {-4, TPrintFont::fsUnderline, 10},
                 {900, TPrintFont::AllStyles, 500}};
    for (const Case& c : cases) {
        const TPrintFont font{QStringLiteral("DejaVu Sans"), c.Size, c.Style, 0x123456};
        const QFont qt = ToFont(font);
        EXPECT_EQ(qt.pointSize(), c.PointSize) << c.Size;
        const TPrintFont back = FromFont(qt, font.Color);
        EXPECT_EQ(back, (TPrintFont{font.Name, c.PointSize, c.Style, font.Color})) << c.Size;
    }
    const QColor color = ToColor(0x7F123456); // bits above blue are no colour
    EXPECT_EQ(color, QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToColorValue(color), 0x123456);
}

} // namespace
