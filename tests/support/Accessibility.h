#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QColor>
#include <QSet>
#include <QStringList>
#include <cmath>

// False for a table cell outside its view's cell area: the toolkit counts the header's area
// as the view's too, so a row scrolled just under the header would count as shown.
inline bool InView(QAccessibleInterface* node) {
    QAccessibleTableCellInterface* cell = node->tableCellInterface();
    const auto* view = cell != nullptr
                           ? qobject_cast<const QAbstractScrollArea*>(cell->table()->object())
                           : nullptr;
    if (view == nullptr) {
        return true;
    }
    const QRect area(view->viewport()->mapToGlobal(QPoint(0, 0)), view->viewport()->size());
    return area.intersects(node->rect());
}

// The objects below `root` that take the focus, show on screen and have no name a screen
// reader could speak, each as "role object-name (class)".
inline QStringList UnnamedFocusable(QAccessibleInterface* root) {
    QStringList unnamed;
    QSet<QAccessibleInterface*> seen;
    const auto walk = [&](const auto& self, QAccessibleInterface* node) -> void {
        if (node == nullptr || seen.contains(node)) {
            return;
        }
        seen.insert(node);
        const QAccessible::State state = node->state();
        if (state.focusable && !state.invisible && !state.offscreen && InView(node) &&
            node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = node->object();
            unnamed << QStringLiteral("%1 %2 (%3)")
                           .arg(node->role())
                           .arg(object != nullptr ? object->objectName() : QString())
                           .arg(object != nullptr ? object->metaObject()->className() : "");
        }
        for (int i = 0; i < node->childCount(); ++i) {
            self(self, node->child(i));
        }
    };
    walk(walk, root);
    return unnamed;
}

// The contrast of two colours as the WCAG rules count it: 1 to 21, 4.5 for normal text.
inline double ContrastRatio(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
