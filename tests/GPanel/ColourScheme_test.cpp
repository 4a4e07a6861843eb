#include "GPanel/ColourScheme.h"

#include "support/Palettes.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// The window's designed backgrounds: panels, title bars, link, bands, header, selection.
const QColor Designed[] = {QColor(0xBAC7BE), QColor(0xC7C6BA), QColor(0xC7BABF),  QColor(0xC9D5DE),
                           QColor(0xE1E0CC), QColor(0xABB0DE), QColor(0x8E9E92),  QColor(0xB0C2D0),
                           QColor(0xFFFEE1), QColor(0xF0ECEE), QColor(Qt::white), QColor(0xC0C0C0),
                           QColor(0xB0B0B0), QColor(0x00FF00)};

TEST(ColourScheme, LightPaletteShowsTheDesignedColours) {
    ASSERT_FALSE(DarkScheme());
    for (const QColor& colour : Designed) {
        EXPECT_EQ(SchemeBackground(colour), colour) << colour.name().toStdString();
    }
    EXPECT_EQ(SchemeText(Qt::black), QColor(Qt::black));
}

// How well texts read on them is measured on the window; here what the colours keep.
TEST(ColourScheme, DarkPaletteDarkensKeepingHueAndOrder) {
    const PaletteRestore restore;
    const struct {
        const char* Name;
        QPalette Palette;
    } palettes[] = {
        {"white text", DarkPalette(0x222020, 0x3d3d3d, 0xffffff)},
        {"dim text", DarkPalette(0x353535, 0x2a2a2a, 0xbbbbbb)},
        {"light base", DarkPalette(0x202020, 0x707070, 0xeeeeee)},
    };
    for (const auto& p : palettes) {
        QApplication::setPalette(p.Palette);
        ASSERT_TRUE(DarkScheme()) << p.Name;
        for (const QColor& colour : Designed) {
            const QColor shown = SchemeBackground(colour);
            SCOPED_TRACE(std::string(p.Name) + " " + colour.name().toStdString() + " shows " +
                         shown.name().toStdString());
            EXPECT_LE(shown.lightness(), MaxDarkLightness);
            // Hue survives where there is one to see (rounding moves it a little).
            if (colour.hslSaturation() > 20 && shown.lightness() > 20) {
                const int turn = std::abs(shown.hslHue() - colour.hslHue()) % 360;
                EXPECT_LE(std::min(turn, 360 - turn), 12);
            }
        }
        // Mirrored: the lighter design shows the darker.
        EXPECT_LE(SchemeBackground(Qt::white).lightness(),
                  SchemeBackground(QColor(0xC0C0C0)).lightness());
        EXPECT_EQ(SchemeText(Qt::black), QColor(Qt::white));
        EXPECT_EQ(SchemeText(Qt::transparent).alpha(), 0) << "hidden text stays hidden";
    }
}

} // namespace
