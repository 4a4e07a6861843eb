#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QSet>
#include <QStringList>

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
