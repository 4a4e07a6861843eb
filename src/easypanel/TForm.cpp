#include "easypanel/TForm.h"

#include <QCoreApplication>
#include <QKeyEvent>

TForm::TForm(QWidget* parent) : QWidget(parent) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

TForm::~TForm() {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->removeEventFilter(this);
    }
}

void TForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A copy, because a handler may replace OnResize while it runs.
    const std::function<void()> handler = OnResize;
    if (handler) {
        handler();
    }
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        if (event->type() == QEvent::KeyRelease) {
            PreviewedEvent = nullptr;
        }
        return QWidget::eventFilter(watched, event);
    }
    auto* target = qobject_cast<QWidget*>(watched);
    if (target == nullptr || target->window() != this) {
        return QWidget::eventFilter(watched, event);
    }
    const bool propagating = event == PreviewedEvent && PreviewedTarget &&
                             target != PreviewedTarget && target->isAncestorOf(PreviewedTarget);
    if (!propagating) {
        PreviewedEvent = event;
        PreviewedTarget = target;
        const std::function<void(QKeyEvent*)> handler = OnKeyDown;
        if (handler) {
            handler(static_cast<QKeyEvent*>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}
