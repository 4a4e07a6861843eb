// The colour scheme: designed light colours shown under a light or a dark palette.
#include "GPanel/ColourScheme.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

double RelativeLuminance(const QColor& color) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

QColor WithLightness(const QColor& color, int lightness) {
    const QColor hsl = color.toHsl();
    return QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), std::clamp(lightness, 0, 255),
                           hsl.alpha())
        .toRgb();
}

} // namespace

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

bool DarkScheme() {
    return IsDarkPalette(QGuiApplication::palette());
}

QColor SchemeBackground(const QColor& designed) {
    if (!DarkScheme()) {
        return designed;
    }
    const QPalette palette = QGuiApplication::palette();
    const int base = std::min(palette.color(QPalette::Base).lightness(), MaxDarkBase);
    const QColor hsl = designed.toHsl();
    // Muted: a light tint has a high saturation that would glare once dark.
    const QColor muted =
        QColor::fromHsl(hsl.hslHue(), std::min(hsl.hslSaturation(), MaxDarkSaturation),
                        hsl.lightness(), hsl.alpha());
    int lightness = std::min(base + (255 - hsl.lightness()) / 2, MaxDarkLightness);
    // Hues differ in luminance at one lightness; darker still until the palette's dimmest
    // text reads at 4.5:1 with a little to spare.
    const double text = std::min(RelativeLuminance(palette.color(QPalette::WindowText)),
                                 RelativeLuminance(palette.color(QPalette::Text)));
    const double limit = (text + 0.05) / 5.5 - 0.05;
    QColor shown = WithLightness(muted, lightness);
    while (lightness > 0 && RelativeLuminance(shown) > limit) {
        shown = WithLightness(muted, --lightness);
    }
    return shown;
}

QColor SchemeText(const QColor& designed) {
    if (!DarkScheme()) {
        return designed;
    }
    return WithLightness(designed, 255 - designed.toHsl().lightness());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
