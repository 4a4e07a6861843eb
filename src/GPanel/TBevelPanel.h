#pragma once

#include <QAccessible>
#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

enum class TBevelCut { None, Lowered, Raised };
enum class TPanelBorder { None, Single };

// The plain panel of the window: a background colour, an optional border line, an outer and
// an inner bevel of BevelWidth pixels each, and a caption centred inside the bevels.
// Coordinates of children are those of the whole widget; ClientRect() is the area inside the
// border, InnerRect() the area inside border and bevels. The contents margins always equal
// border plus bevels, so layouts and aligned children stay inside the bevels.
class TBevelPanel : public QWidget {
    Q_OBJECT

public:
    explicit TBevelPanel(QWidget* parent = nullptr);

    // The designed colour; under a dark palette it shows as SchemeBackground(Color()).
    QColor Color() const;
    void SetColor(const QColor& color);

    QString Caption() const { return CaptionText; }
    void SetCaption(const QString& caption);

    TBevelCut BevelInner() const { return Inner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return Outer; }
    void SetBevelOuter(TBevelCut cut);
    int BevelWidth() const { return BevelPixels; }
    // Clamped to 1..MaxBevelWidth.
    void SetBevelWidth(int width);
    TPanelBorder BorderStyle() const { return Border; }
    void SetBorderStyle(TPanelBorder border);
    // A single border is a flat one-pixel line without the 3-D look and a two-pixel sunken
    // edge with it.
    bool Ctl3D() const { return Look3D; }
    void SetCtl3D(bool on);

    // Width of the border line and of both bevels together on each side.
    int BorderWidth() const;
    int BevelInset() const;
    QRect ClientRect() const;
    QRect InnerRect() const;

    // Called after a left-button press and release inside the panel, and on a double click.
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

    // Makes the panel a control of the keyboard: Tab reaches it, it shows the focus, and
    // Space or Return runs `action`, which a screen reader offers as the press of a control
    // of `role` (a button or a link).
    void SetKeyAction(std::function<void()> action, QAccessible::Role role = QAccessible::Button);
    bool HasKeyAction() const { return static_cast<bool>(KeyAction); }
    QAccessible::Role KeyRole() const { return KeyActionRole; }
    void RunKeyAction() const;

    static constexpr int MaxBevelWidth = 1000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // A frame in the highlight colour inside the edge while the panel has the focus.
    void PaintFocusFrame(QPainter& painter) const;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ApplyInset();

    QString CaptionText;
    TBevelCut Inner = TBevelCut::None;
    TBevelCut Outer = TBevelCut::Raised;
    int BevelPixels = 1;
    TPanelBorder Border = TPanelBorder::None;
    bool Look3D = true;
    bool Pressed = false;
    std::function<void()> KeyAction;
    QAccessible::Role KeyActionRole = QAccessible::Button;
};
