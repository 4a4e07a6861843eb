#include "easypanel/TForm.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

// A plain widget reads to a screen reader as a nameless filler; a window is a frame named by
// its title.
QAccessibleInterface* FormAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TForm::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

TForm::TForm(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&FormAccessible);
        return true;
    }();
    (void)factoryInstalled;
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
