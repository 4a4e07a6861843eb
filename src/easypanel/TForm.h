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
