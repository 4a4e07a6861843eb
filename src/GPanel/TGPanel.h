#pragma once

#include "GPanel/TBevelPanel.h"

#include <QColor>
#include <QRect>
#include <vector>

// A panel that paints a colour gradient over the area inside its bevels: from Color_1 to
// Color_2 over the first Percent per cent of its length, then from Color_2 to Color_3, left to
// right when Horizontal, else top to bottom. A part between two equal colours is not painted
// and shows the panel's own background. Setting a property repaints the panel. The colours
// are the designed ones; a dark palette shows each band as SchemeBackground of its colour.
class TGPanel : public TBevelPanel {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(QColor Color_1 READ Color_1 WRITE SetColor_1)
    Q_PROPERTY(QColor Color_2 READ Color_2 WRITE SetColor_2)
    Q_PROPERTY(QColor Color_3 READ Color_3 WRITE SetColor_3)
    Q_PROPERTY(bool Horizontal READ Horizontal WRITE SetHorizontal)
    Q_PROPERTY(int Percent READ Percent WRITE SetPercent)

public:
    struct TFill {
        QRect Rect;
        QColor Color;
    };

    explicit TGPanel(QWidget* parent = nullptr);

    bool Active() const { return IsActive; }
    void SetActive(bool active);
    QColor Color_1() const { return Colors[0]; }
    void SetColor_1(const QColor& color);
    QColor Color_2() const { return Colors[1]; }
    void SetColor_2(const QColor& color);
    QColor Color_3() const { return Colors[2]; }
    void SetColor_3(const QColor& color);
    bool Horizontal() const { return IsHorizontal; }
    void SetHorizontal(bool horizontal);
    int Percent() const { return SplitPercent; }
    // Clamped to 1..100.
    void SetPercent(int percent);

    // The solid rectangles the gradient paints over the panel, in painting order; empty
    // when the panel is not Active.
    std::vector<TFill> GradientFills() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SetGradientColor(int index, const QColor& color);

    bool IsActive = true;
    QColor Colors[3];
    bool IsHorizontal = true;
    int SplitPercent = 100;
};
