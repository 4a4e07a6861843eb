// The window base: resize and key handling as chained callbacks, and the key preview.
#include "easypanel/TForm.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

namespace {

// A plain widget reads to a screen reader as a nameless filler; a window is a frame named by
// its title.
QAccessibleInterface* FormAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(TForm::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

// The application as screen readers see it: its windows and, while one is open, the popup
// menus, which the toolkit leaves out so that a reader never hears their items.
class TApplicationAccessible : public QAccessibleApplication {
public:
    int childCount() const override {
        return QAccessibleApplication::childCount() + static_cast<int>(OpenMenus().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int windows = QAccessibleApplication::childCount();
        if (index < windows) {
            return QAccessibleApplication::child(index);
        }
        const QList<QMenu*> menus = OpenMenus();
        return index - windows < menus.size()
                   ? QAccessible::queryAccessibleInterface(menus[index - windows])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int window = QAccessibleApplication::indexOfChild(child);
        if (window >= 0 || child == nullptr) {
            return window;
        }
        const int menu =
            static_cast<int>(OpenMenus().indexOf(qobject_cast<QMenu*>(child->object())));
        return menu < 0 ? -1 : QAccessibleApplication::childCount() + menu;
    }

private:
    static QList<QMenu*> OpenMenus() {
        QList<QMenu*> menus;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<QMenu*>(widget); menu != nullptr && menu->isVisible()) {
                menus << menu;
            }
        }
        return menus;
    }
};

QAccessibleInterface* ApplicationAccessible(const QString& className, QObject* object) {
    if (object == QCoreApplication::instance() &&
        className == QLatin1String(QApplication::staticMetaObject.className())) {
        return new TApplicationAccessible;
    }
    return nullptr;
}

} // namespace

void TForm::InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&FormAccessible);
        QAccessible::installFactory(&ApplicationAccessible);
        return true;
    }();
    (void)installed;
}

TForm::TForm(QWidget* parent) : QWidget(parent) {
    InstallAccessibility();
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
