// Window helpers: screen fitting, double buffering, the enabled-state colours, bevel styles,
// timing and colour arithmetic, clamped geometry.
#include "easypanel/WindowHelpers.h"

#include "GPanel/ColourScheme.h"
#include "GPanel/TBevelPanel.h"
#include "GPanel/TGPanel.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace {

struct THsl {
    int Hue = 0;
    int Saturation = 0;
    int Luminance = 0;
};

// numerator / denominator for numerator >= 0 and denominator > 0, halves to even.
int64_t RoundHalfEven(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    const int64_t twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && quotient % 2 != 0)) {
        ++quotient;
    }
    return quotient;
}

// Exact integer arithmetic, so that the halves of the rounding rule are real halves.
THsl ToHsl(const QColor& color) {
    const QColor rgb = color.toRgb();
    const int64_t r = rgb.red();
    const int64_t g = rgb.green();
    const int64_t b = rgb.blue();
    const int64_t high = std::max({r, g, b});
    const int64_t low = std::min({r, g, b});
    const int64_t sum = high + low;
    const int64_t delta = high - low;
    THsl hsl;
    hsl.Luminance = static_cast<int>(RoundHalfEven(sum * 240, 510));
    if (delta == 0) {
        return hsl;
    }
    hsl.Saturation = static_cast<int>(RoundHalfEven(delta * 240, sum <= 255 ? sum : 510 - sum));
    // Hue in units of 1/delta: 40 per sixth of the circle.
    int64_t hue = 0;
    if (high == r) {
        hue = 40 * (g - b);
    } else if (high == g) {
        hue = 40 * (b - r) + 80 * delta;
    } else {
        hue = 40 * (r - g) + 160 * delta;
    }
    if (hue < 0) {
        hue += 240 * delta;
    }
    hsl.Hue = static_cast<int>(RoundHalfEven(hue, delta) % 240);
    return hsl;
}

QColor FromHsl(const THsl& hsl, int alpha) {
    // Every quantity below is in units of 1 / 4'608'000 (= 240 * 240 * 80).
    constexpr int64_t unit = 4'608'000;
    const int64_t chromaBase =
        (240 - std::abs(2 * int64_t{hsl.Luminance} - 240)) * int64_t{hsl.Saturation};
    const int64_t chroma = chromaBase * 80;
    const int64_t second = chromaBase * 2 * (40 - std::abs(hsl.Hue % 80 - 40));
    const int64_t match = int64_t{hsl.Luminance} * 19'200 - chromaBase * 40;
    // Which of chroma, second and zero each channel takes, per sixth of the hue circle.
    static constexpr int pick[6][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1},
                                       {2, 1, 0}, {1, 2, 0}, {0, 2, 1}};
    const int64_t parts[3] = {chroma, second, 0};
    const int(&sector)[3] = pick[std::clamp(hsl.Hue / 40, 0, 5)];
    int channel[3] = {};
    for (int i = 0; i < 3; ++i) {
        const int64_t value = RoundHalfEven((parts[sector[i]] + match) * 255, unit);
        channel[i] = static_cast<int>(std::clamp<int64_t>(value, 0, 255));
    }
    return QColor(channel[0], channel[1], channel[2], alpha);
}

QColor ShiftLuminance(const QColor& color, int shift) {
    THsl hsl = ToHsl(color);
    hsl.Luminance = std::clamp(hsl.Luminance + shift, 0, 240);
    return FromHsl(hsl, color.toRgb().alpha());
}

QRect PrimaryScreenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
}

void SetRoles(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
              const QColor& color) {
    QPalette colours = widget->palette();
    for (QPalette::ColorRole role : roles) {
        colours.setColor(role, color);
    }
    widget->setPalette(colours);
}

// Paints a slider without its handle: groove and tick marks as the style draws them.
class TSliderHandleHider final : public QObject {
public:
    explicit TSliderHandleHider(QSlider* slider) : QObject(slider) {
        slider->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* slider = qobject_cast<QSlider*>(watched);
        if (slider == nullptr || event->type() != QEvent::Paint) {
            return false;
        }
        // What QSlider::initStyleOption fills in, which is not reachable from outside.
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        if (option.orientation == Qt::Horizontal) {
            option.state |= QStyle::State_Horizontal;
            option.upsideDown =
                slider->invertedAppearance() != (option.direction == Qt::RightToLeft);
        } else {
            option.upsideDown = !slider->invertedAppearance();
        }
        option.direction = Qt::LeftToRight;
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        // At the minimum, so that a style that fills the groove up to the handle fills none.
        option.sliderPosition = slider->minimum();
        option.sliderValue = slider->minimum();
        option.singleStep = slider->singleStep();
        option.pageStep = slider->pageStep();
        option.tickPosition = slider->tickPosition();
        option.tickInterval = slider->tickInterval();
        option.subControls = QStyle::SC_SliderGroove;
        if (slider->tickPosition() != QSlider::NoTicks) {
            option.subControls |= QStyle::SC_SliderTickmarks;
        }
        QPainter painter(slider);
        slider->style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, slider);
        return true;
    }
};

void ShowSliderHandle(QSlider* slider, bool shown) {
    TSliderHandleHider* hider = nullptr;
    for (QObject* child : slider->children()) {
        if (auto* found = dynamic_cast<TSliderHandleHider*>(child)) {
            hider = found;
        }
    }
    if (shown == (hider == nullptr)) {
        return; // already as asked: every keystroke asks again
    }
    if (shown) {
        delete hider;
    } else {
        new TSliderHandleHider(slider);
    }
    slider->update();
}

// Qt repaints a control whenever its frame is set, changed or not, and with it what shows
// through around it; every keystroke shows the enabled state again.
template <typename Control>
void ShowFrame(Control* control, bool shown) {
    if (control->hasFrame() != shown) {
        control->setFrame(shown);
    }
}

} // namespace

void FitToScreen(QWidget* window) {
    const QRect screen = PrimaryScreenGeometry();
    if (!screen.isEmpty()) {
        FitToScreen(window, screen);
    }
}

void FitToScreen(QWidget* window, const QRect& screen) {
    if (window == nullptr) {
        return;
    }
    window->resize(screen.width() - 40 - FrameWidth(window),
                   screen.height() - 60 - FrameHeight(window));
    CenterOnScreen(window, screen);
}

void CenterOnScreen(QWidget* window) {
    const QRect screen = PrimaryScreenGeometry();
    if (!screen.isEmpty()) {
        CenterOnScreen(window, screen);
    }
}

void CenterOnScreen(QWidget* window, const QRect& screen) {
    if (window == nullptr) {
        return;
    }
    const QRect frame = window->frameGeometry();
    window->move(screen.left() + (screen.width() - frame.width()) / 2,
                 screen.top() + (screen.height() - frame.height()) / 2);
}

void DoubleBufferTree(QWidget* control) {
    if (control == nullptr) {
        return;
    }
    control->setAttribute(Qt::WA_PaintOnScreen, false);
    for (QWidget* child : control->findChildren<QWidget*>()) {
        child->setAttribute(Qt::WA_PaintOnScreen, false);
    }
}

void DoubleBufferAll() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        DoubleBufferTree(window);
    }
}

void ShowEnabledState(QWidget* container) {
    if (container == nullptr) {
        return;
    }
    const QColor own = container->palette().color(container->backgroundRole());
    // Designed colours, shown darkened under a dark palette; the palette's own Base is shown
    // as it is.
    const QColor disabled = SchemeBackground(Darker(Darker(own)));
    const QColor windowColour = QGuiApplication::palette().color(QPalette::Base);
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<TBevelPanel*>(child) != nullptr) {
            ShowEnabledState(child);
        }
        // The control's own state: a control in a disabled panel keeps its colours.
        const bool enabled = child->isEnabledTo(container);
        const QColor colour = enabled ? windowColour : disabled;
        auto* edit = qobject_cast<QLineEdit*>(child);
        if (edit != nullptr && edit->inputMask().isEmpty()) {
            const bool pathEdit = edit->objectName().left(8).toLower() == QLatin1String("editpath");
            if (!enabled || !pathEdit) {
                SetRoles(edit, {QPalette::Base}, colour);
            }
            ShowFrame(edit, enabled);
        } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
            // A combo box that cannot be edited paints its face with the button colour.
            SetRoles(combo, {QPalette::Base, QPalette::Button}, colour);
            ShowFrame(combo, enabled);
        } else if (auto* check = qobject_cast<QCheckBox*>(child)) {
            SetRoles(check, {QPalette::Window}, enabled ? SchemeBackground(own) : disabled);
            check->setAutoFillBackground(true);
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(child)) {
            SetRoles(spin, {QPalette::Base}, colour);
            ShowFrame(spin, enabled);
        } else if (edit != nullptr) {
            SetRoles(edit, {QPalette::Base}, colour);
            ShowFrame(edit, enabled);
        } else if (auto* slider = qobject_cast<QSlider*>(child)) {
            ShowSliderHandle(slider, enabled);
        } else if (const QVariant band1 = child->property(GridBandColor1Property);
                   band1.isValid()) {
            // Disabled: both bands alike, which switches the banding off.
            child->setProperty(GridBandColor2Property,
                               enabled ? QVariant(QColor(Qt::white)) : band1);
        } else if (auto* table = qobject_cast<QTableView*>(child)) {
            SetRoles(table, {QPalette::Base}, colour);
        }
    }
}

int FrameWidth(const QWidget* window) {
    return window != nullptr ? window->frameGeometry().width() - window->width() : 0;
}

int FrameHeight(const QWidget* window) {
    return window != nullptr ? window->frameGeometry().height() - window->height() : 0;
}

int StatusBarHeight(const QWidget* window) {
    if (window == nullptr) {
        return 0;
    }
    const auto* bar = window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
    return bar != nullptr ? bar->height() : 0;
}

void SetBevelStyle(TBevelPanel* panel, int style) {
    if (panel == nullptr || style < 0 || style > 3) {
        return;
    }
    struct TLook {
        TBevelCut Inner;
        TBevelCut Outer;
        TPanelBorder Border;
        bool Ctl3D;
    };
    static constexpr TLook looks[] = {
        {TBevelCut::None, TBevelCut::None, TPanelBorder::Single, false},
        {TBevelCut::None, TBevelCut::Raised, TPanelBorder::None, true},
        {TBevelCut::Lowered, TBevelCut::Raised, TPanelBorder::None, true},
        {TBevelCut::None, TBevelCut::Lowered, TPanelBorder::None, true},
    };
    const TLook& look = looks[style];
    panel->SetBevelInner(look.Inner);
    panel->SetBevelOuter(look.Outer);
    panel->SetBorderStyle(look.Border);
    panel->SetCtl3D(look.Ctl3D);
}

void MoveChildren(QWidget* panel, QWidget* target) {
    if (panel == nullptr || target == nullptr || panel == target) {
        return;
    }
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || qobject_cast<TGPanel*>(child) != nullptr || child == target ||
            child->isAncestorOf(target)) {
            continue;
        }
        // setParent hides a widget; give back the visibility it had.
        const bool hidden = child->isHidden();
        child->setParent(target);
        if (auto* label = qobject_cast<QLabel*>(child)) {
            label->setAutoFillBackground(false);
        }
        if (!hidden) {
            child->show();
        }
    }
}

int64_t ElapsedMs(TTimePoint t1, TTimePoint t2) {
    // The distance of two extreme instants overflows the signed tick count; unsigned
    // arithmetic holds every distance.
    const auto a = static_cast<uint64_t>(t1.time_since_epoch().count());
    const auto b = static_cast<uint64_t>(t2.time_since_epoch().count());
    const uint64_t span = t1 < t2 ? b - a : a - b;
    using Ticks = std::chrono::duration<uint64_t, TTimePoint::period>;
    using Milliseconds = std::chrono::duration<uint64_t, std::milli>;
    return static_cast<int64_t>(std::chrono::duration_cast<Milliseconds>(Ticks(span)).count());
}

bool WithinMs(int64_t limit, TTimePoint t1, TTimePoint t2) {
    return ElapsedMs(t1, t2) <= limit;
}

QColor Darker(const QColor& color) {
    return ShiftLuminance(color, -15);
}

QColor Lighter(const QColor& color) {
    return ShiftLuminance(color, 15);
}

QColor ContrastColor(const QColor& color) {
    const THsl hsl = ToHsl(color);
    const int threshold = hsl.Hue == 0 && hsl.Saturation < 10 ? 140 : 120;
    return hsl.Luminance > threshold ? QColor(Qt::black) : QColor(Qt::white);
}

int ClampExtent(int64_t size) {
    return static_cast<int>(std::clamp<int64_t>(size, 0, QWIDGETSIZE_MAX));
}

void SetClampedBounds(QWidget* widget, int64_t left, int64_t top, int64_t width, int64_t height) {
    const auto position = [](int64_t value) {
        return static_cast<int>(std::clamp<int64_t>(value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    };
    widget->setGeometry(position(left), position(top), ClampExtent(width), ClampExtent(height));
}

void SetClampedHeight(QWidget* widget, int64_t height) {
    SetClampedBounds(widget, widget->x(), widget->y(), widget->width(), height);
}
