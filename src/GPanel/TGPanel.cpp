// The gradient panel: its three colours painted as bands inside the bevels.
#include "GPanel/TGPanel.h"

#include "GPanel/ColourScheme.h"
#include "GPanel/GradientBands.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cstdint>

TGPanel::TGPanel(QWidget* parent)
    : TBevelPanel(parent),
      // The button face colour as the palette has it now; later palette changes do not follow.
      Colors{palette().color(QPalette::Button), QColor(Qt::white), QColor(0, 255, 255)} {}

void TGPanel::SetActive(bool active) {
    IsActive = active;
    update();
}

void TGPanel::SetColor_1(const QColor& color) {
    SetGradientColor(0, color);
}
void TGPanel::SetColor_2(const QColor& color) {
    SetGradientColor(1, color);
}
void TGPanel::SetColor_3(const QColor& color) {
    SetGradientColor(2, color);
}

void TGPanel::SetGradientColor(int index, const QColor& color) {
    Colors[index] = color;
    update();
}

void TGPanel::SetHorizontal(bool horizontal) {
    IsHorizontal = horizontal;
    update();
}

void TGPanel::SetPercent(int percent) {
    SplitPercent = std::clamp(percent, 1, 100);
    update();
}

std::vector<TGPanel::TFill> TGPanel::GradientFills() const {
    std::vector<TFill> fills;
    const QRect inner = InnerRect();
    if (!IsActive || inner.isEmpty()) {
        return fills;
    }
    const int length = IsHorizontal ? inner.width() : inner.height();
    const int split = static_cast<int>(std::max<int64_t>(int64_t{length} * SplitPercent / 100, 1));
    // With 100 per cent the split is the whole length and the second part is empty.
    struct TPart {
        int Offset;
        int Length;
        QColor From;
        QColor To;
    };
    const TPart parts[] = {{0, split, Colors[0], Colors[1]},
                           {split, length - split, Colors[1], Colors[2]}};
    for (const auto& part : parts) {
        if (part.From == part.To) {
            continue;
        }
        for (const TGradientBand& band : GradientBands(part.From, part.To, part.Length)) {
            if (band.Length == 0) {
                continue;
            }
            const int offset = part.Offset + band.Start;
            const QRect area =
                IsHorizontal
                    ? QRect(inner.left() + offset, inner.top(), band.Length, inner.height())
                    : QRect(inner.left(), inner.top() + offset, inner.width(), band.Length);
            fills.push_back({area, band.Color});
        }
    }
    return fills;
}

void TGPanel::paintEvent(QPaintEvent* event) {
    TBevelPanel::paintEvent(event);
    QPainter painter(this);
    for (const TFill& fill : GradientFills()) {
        painter.fillRect(fill.Rect, SchemeBackground(fill.Color));
    }
    PaintFocusFrame(painter);
}
