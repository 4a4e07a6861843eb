#pragma once

#include <QMenu>
#include <QPointer>

// A context menu shared by several controls that remembers the control it was opened on, so
// one handler can act on whichever control the user right-clicked.
class TPopupMenu : public QMenu {
    Q_OBJECT

public:
    explicit TPopupMenu(QWidget* parent = nullptr);

    // Records `component`, then shows the menu at `globalPos` without blocking.
    void Popup(QWidget* component, const QPoint& globalPos);

    QPointer<QWidget> PopupComponent;
};
