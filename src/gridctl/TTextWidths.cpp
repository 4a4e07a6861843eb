// Text widths, cut texts and laid-out lines of the grid's cells, remembered per font.
#include "gridctl/TTextWidths.h"

#include <QPaintDevice>
#include <QTransform>

namespace {

// The entry of `key`, made by `make` when there is none yet; a full map starts again. A key
// that is not to be kept is made each time.
template <typename Key, typename Value, typename Make>
Value Remembered(QHash<Key, Value>& map, const Key& key, bool kept, Make make) {
    if (!kept) {
        return make();
    }
    if (const auto found = map.constFind(key); found != map.cend()) {
        return *found;
    }
    if (map.size() >= TTextWidths::MaxEntries) {
        map.clear();
    }
    return *map.insert(key, make());
}

} // namespace

void TTextWidths::Use(const QFont& font, const QPaintDevice* device) {
    const int dpiX = device != nullptr ? device->logicalDpiX() : 0;
    const int dpiY = device != nullptr ? device->logicalDpiY() : 0;
    if (Used && font == Font && dpiX == DpiX && dpiY == DpiY) {
        return;
    }
    Used = true;
    Font = font;
    DpiX = dpiX;
    DpiY = dpiY;
    FontMetrics = QFontMetrics(font, device);
    LineMetrics = QFontMetricsF(font, device);
    WidestChar = FontMetrics.maxWidth();
    AverageChar = FontMetrics.averageCharWidth();
    Advances.clear();
    ElidedTexts.clear();
    LaidTexts.clear();
}

int TTextWidths::Advance(const QString& text) {
    return Remembered(Advances, text, text.size() <= MaxKept,
                      [&] { return FontMetrics.horizontalAdvance(text); });
}

QString TTextWidths::Elided(const QString& text, int width) {
    return Remembered(ElidedTexts, std::pair(text, width), text.size() <= MaxKept,
                      [&] { return FontMetrics.elidedText(text, Qt::ElideRight, width); });
}

QStaticText TTextWidths::Laid(const QString& text) {
    return Remembered(LaidTexts, text, text.size() <= MaxKept, [&] {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), Font);
        return laid;
    });
}
