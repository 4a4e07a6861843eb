// A context menu that remembers the control it was opened on.
#include "ui/TPopupMenu.h"

TPopupMenu::TPopupMenu(QWidget* parent) : QMenu(parent) {}

void TPopupMenu::Popup(QWidget* component, const QPoint& globalPos) {
    PopupComponent = component;
    popup(globalPos);
}
