#include "ui/TPopupMenu.h"

TPopupMenu::TPopupMenu(QWidget* parent) : QMenu(parent) {}

void TPopupMenu::Popup(QWidget* component, const QPoint& globalPos) {
    PopupComponent = component;
    popup(globalPos);
}
