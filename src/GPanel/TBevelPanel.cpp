// The plain panel: background, border, bevels and caption, and its clicks and key action.
#include "GPanel/TBevelPanel.h"

#include "GPanel/ColourScheme.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <utility>

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

// What a screen reader sees of a panel: a button or link with a press action while the
// panel has a key action, else a group when it has a name, else a plain area.
class TBevelPanelAccessible : public QAccessibleWidget {
public:
    explicit TBevelPanelAccessible(TBevelPanel* panel) : QAccessibleWidget(panel) {}

    QAccessible::Role role() const override {
        const TBevelPanel* panel = Panel();
        if (panel->HasKeyAction()) {
            return panel->KeyRole();
        }
        // A named panel groups the controls it holds under its name.
        return panel->accessibleName().isEmpty() ? QAccessibleWidget::role()
                                                 : QAccessible::Grouping;
    }
    QStringList actionNames() const override {
        return Panel()->HasKeyAction() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            Panel()->RunKeyAction();
        }
    }

private:
    TBevelPanel* Panel() const { return static_cast<TBevelPanel*>(widget()); }
};

QAccessibleInterface* PanelAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TBevelPanel::staticMetaObject.className())) {
        return new TBevelPanelAccessible(static_cast<TBevelPanel*>(object));
    }
    return nullptr;
}

} // namespace

TBevelPanel::TBevelPanel(QWidget* parent) : QWidget(parent) {
    // Before any panel is asked for its accessible interface, which stays cached.
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&PanelAccessible);
        return true;
    }();
    (void)factoryInstalled;
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
    // Qt filled the background with the designed colour; a dark scheme shows it darkened.
    if (DarkScheme()) {
        painter.fillRect(area, SchemeBackground(Color()));
    }
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
    PaintFocusFrame(painter);
}

void TBevelPanel::PaintFocusFrame(QPainter& painter) const {
    if (!hasFocus()) {
        return;
    }
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    const QRect edge = rect();
    const int width = std::min({2, edge.width() / 4, edge.height() / 4});
    if (width <= 0) {
        return;
    }
    painter.fillRect(QRect(edge.left(), edge.top(), edge.width(), width), colour);
    painter.fillRect(QRect(edge.left(), edge.bottom() - width + 1, edge.width(), width), colour);
    painter.fillRect(QRect(edge.left(), edge.top(), width, edge.height()), colour);
    painter.fillRect(QRect(edge.right() - width + 1, edge.top(), width, edge.height()), colour);
}

void TBevelPanel::SetKeyAction(std::function<void()> action, QAccessible::Role role) {
    KeyAction = std::move(action);
    KeyActionRole = role;
    setFocusPolicy(KeyAction ? Qt::TabFocus : Qt::NoFocus);
}

void TBevelPanel::RunKeyAction() const {
    if (KeyAction) {
        // A copy: the action may replace the panel's own.
        const std::function<void()> action = KeyAction;
        action();
    }
}

void TBevelPanel::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (KeyAction && plain &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        RunKeyAction();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TBevelPanel::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TBevelPanel::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
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
