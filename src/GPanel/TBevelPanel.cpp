#include "GPanel/TBevelPanel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {

// Draws `count` one-pixel rings inwards from `area`, top and left edges in `topLeft`, bottom
// and right edges in `bottomRight`, and returns the area inside them.
QRect DrawRings(QPainter& painter, QRect area, const QColor& topLeft, const QColor& bottomRight,
                int count) {
    for (int ring = 0; ring < count; ++ring) {
        if (!area.isEmpty()) {
            painter.fillRect(area.left(), area.top(), area.width(), 1, topLeft);
            painter.fillRect(area.left(), area.top(), 1, area.height(), topLeft);
            painter.fillRect(area.left(), area.bottom(), area.width(), 1, bottomRight);
            painter.fillRect(area.right(), area.top(), 1, area.height(), bottomRight);
        }
        area.adjust(1, 1, -1, -1);
    }
    return area;
}

QRect DrawBevel(QPainter& painter, const QRect& area, TBevelCut cut, int width,
                const QPalette& palette) {
    if (cut == TBevelCut::None) {
        return area;
    }
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    return cut == TBevelCut::Raised ? DrawRings(painter, area, light, dark, width)
                                    : DrawRings(painter, area, dark, light, width);
}

} // namespace

TBevelPanel::TBevelPanel(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    ApplyInset();
}

QColor TBevelPanel::Color() const {
    return palette().color(QPalette::Window);
}

void TBevelPanel::SetColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void TBevelPanel::SetCaption(const QString& caption) {
    CaptionText = caption;
    update();
}

void TBevelPanel::SetBevelInner(TBevelCut cut) {
    Inner = cut;
    ApplyInset();
}

void TBevelPanel::SetBevelOuter(TBevelCut cut) {
    Outer = cut;
    ApplyInset();
}

void TBevelPanel::SetBevelWidth(int width) {
    BevelPixels = std::clamp(width, 1, MaxBevelWidth);
    ApplyInset();
}

void TBevelPanel::SetBorderStyle(TPanelBorder border) {
    Border = border;
    ApplyInset();
}

void TBevelPanel::SetCtl3D(bool on) {
    Look3D = on;
    ApplyInset();
}

int TBevelPanel::BorderWidth() const {
    if (Border == TPanelBorder::None) {
        return 0;
    }
    return Look3D ? 2 : 1;
}

int TBevelPanel::BevelInset() const {
    return (Inner != TBevelCut::None ? BevelPixels : 0) +
           (Outer != TBevelCut::None ? BevelPixels : 0);
}

QRect TBevelPanel::ClientRect() const {
    const int border = BorderWidth();
    return rect().adjusted(border, border, -border, -border);
}

QRect TBevelPanel::InnerRect() const {
    const int inset = BevelInset();
    return ClientRect().adjusted(inset, inset, -inset, -inset);
}

void TBevelPanel::ApplyInset() {
    const int margin = BorderWidth() + BevelInset();
    setContentsMargins(margin, margin, margin, margin);
    update();
}

void TBevelPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    QRect area = rect();
    if (Border == TPanelBorder::Single) {
        if (Look3D) {
            area = DrawRings(painter, area, colours.color(QPalette::Dark),
                             colours.color(QPalette::Light), 1);
            area = DrawRings(painter, area, colours.color(QPalette::Shadow),
                             colours.color(QPalette::Midlight), 1);
        } else {
            const QColor line = colours.color(QPalette::WindowText);
            area = DrawRings(painter, area, line, line, 1);
        }
    }
    area = DrawBevel(painter, area, Outer, BevelPixels, colours);
    area = DrawBevel(painter, area, Inner, BevelPixels, colours);
    if (!CaptionText.isEmpty() && !area.isEmpty()) {
        painter.setPen(colours.color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter, CaptionText);
    }
}

// A panel is a window of its own: presses end here instead of reaching the window below.
void TBevelPanel::mousePressEvent(QMouseEvent* event) {
    Pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void TBevelPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = Pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    Pressed = false;
    event->accept();
    if (click && OnClick) {
        OnClick();
    }
}

void TBevelPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (OnDblClick) {
        OnDblClick();
    }
}
