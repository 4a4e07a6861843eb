#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <utility>

class QPaintDevice;

// Widths, cut forms and layouts of one-line texts in one font, remembered. A keystroke fits the
// columns to the rows in view and then paints them, and both measure every text; the next
// keystroke mostly shows the same texts again. Shaping a text costs far more than finding it.
class TTextWidths {
public:
    // Measures in `font` as laid out on `device` (the screen when null) from now on; what was
    // remembered for another font or resolution is forgotten.
    void Use(const QFont& font, const QPaintDevice* device);
    const QFontMetrics& Metrics() const { return FontMetrics; }
    // QFontMetrics::maxWidth and averageCharWidth, remembered: the painter needs both for
    // every cell, and asking the font for them cost more than the rest of cutting a text.
    int MaxWidth() const { return WidestChar; }
    int AverageCharWidth() const { return AverageChar; }

    // QFontMetrics::horizontalAdvance of the text.
    int Advance(const QString& text);
    // QFontMetrics::elidedText of the text, cut at the right end to fit `width`.
    QString Elided(const QString& text, int width);
    // The text laid out as one plain line, ready for QPainter::drawStaticText.
    QStaticText Laid(const QString& text);
    // The height of a laid-out line without its leading, as QPainter::drawText centres it.
    qreal LineHeight() const { return LineMetrics.ascent() + LineMetrics.descent(); }

    // Longer texts are measured each time: a divisor list of thousands of characters would
    // hold more memory than its measuring costs time, and the painters only ask for its start.
    static constexpr qsizetype MaxKept = 256;
    // A screen holds a few hundred cells; beyond this the old ones are forgotten at once.
    static constexpr qsizetype MaxEntries = 4096;

private:
    bool Used = false;
    QFont Font;
    int DpiX = 0;
    int DpiY = 0;
    QFontMetrics FontMetrics{QFont()};
    QFontMetricsF LineMetrics{QFont()};
    int WidestChar = 0;
    int AverageChar = 0;
    QHash<QString, int> Advances;
    QHash<std::pair<QString, int>, QString> ElidedTexts;
    QHash<QString, QStaticText> LaidTexts;
};
