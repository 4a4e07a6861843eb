#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;

// A window whose resize and key-down handling are plain callbacks, so a component can take
// them over and chain the handler that was there before. OnKeyDown previews keys: it sees
// every key press aimed at any widget of this window before that widget does, and the
// widget still receives the key afterwards.
class TForm : public QWidget {
    Q_OBJECT

public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    // Windows read as frames named by their titles, and open popup menus as children of the
    // application. Screen readers may ask for the application before the first window
    // exists, so the program calls this before it creates its application object.
    static void InstallAccessibility();

    std::function<void()> OnResize;
    std::function<void(QKeyEvent*)> OnKeyDown;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A key press that nobody accepts travels up the parents, passing the application's
    // filters once per step; these mark the press already previewed.
    const QEvent* PreviewedEvent = nullptr;
    QPointer<QWidget> PreviewedTarget;
};
