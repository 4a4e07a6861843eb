#pragma once

#include <QAbstractSpinBox>
#include <QPointer>
#include <cstdint>
#include <functional>

class TPopupMenu;

// A spin box that reads its text leniently and clamps only on write: Value() is the integer
// in the text, even beyond MaxValue() (beyond 32 bits, the nearest 32-bit integer), or
// MinValue() when the text holds no integer.
// Every change of the text, typed or written, raises OnChange.
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int32_t MinValue() const { return Minimum; }
    int32_t MaxValue() const { return Maximum; }
    void SetRange(int32_t minimum, int32_t maximum);

    int32_t Value() const;
    // Clamps into the range; OnChange runs only when the text changes.
    void SetValue(int32_t value);
    // The text as given, without conversion or clamping.
    void SetText(const QString& text);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

    std::function<void()> OnChange;
    // Shown on right-click instead of the edit menu when set.
    QPointer<TPopupMenu> PopupMenu;

protected:
    StepEnabled stepEnabled() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void TextChanged();

    int32_t Minimum = 0;
    int32_t Maximum = 100;
};
