#pragma once

#include <QColor>
#include <QRect>
#include <chrono>
#include <cstdint>

class QWidget;
class TBevelPanel;

// The grid control (a table view of its own, in a library above this one) declares these
// colour properties; ShowEnabledState knows a banded grid by them and sets them by name.
inline constexpr char GridBandColor1Property[] = "BandColor1";
inline constexpr char GridBandColor2Property[] = "BandColor2";

// Window width and height := screen less 40 and 60 (frame included), then CenterOnScreen.
// The screen is the whole geometry of the primary screen, or `screen` when given.
void FitToScreen(QWidget* window);
void FitToScreen(QWidget* window, const QRect& screen);
// Places the window's frame in the middle of the screen, halves truncated toward zero.
void CenterOnScreen(QWidget* window);
void CenterOnScreen(QWidget* window, const QRect& screen);

// Qt paints every widget through the window's backing store, so all widgets are double
// buffered already. The one way a widget leaves that path is Qt::WA_PaintOnScreen; these
// clear it for a widget and its descendants, and for every top-level window and its tree.
void DoubleBufferTree(QWidget* control);
void DoubleBufferAll();

// Recolours the input controls among the container's direct children by their own enabled
// state; panels (TBevelPanel and TGPanel) among them are handled first with their own
// colour. Disabled controls get Darker(Darker(container colour)), enabled ones the
// application palette's Base colour. Kinds: QLineEdit ("editpath..." names keep their colour
// while enabled; frame only when enabled), QComboBox, QCheckBox, QAbstractSpinBox, a
// QLineEdit with an input mask (the masked edit: frame only when enabled, no name rule),
// QSlider (handle painted only when enabled), any widget with band colour properties, as the
// grid control (its second band colour is white when enabled and the first band colour when
// disabled), other QTableViews. The
// frames of combo and spin boxes stand for their 3-D look; a check box has none in Qt.
void ShowEnabledState(QWidget* container);

// Outer size less inner size; 0 for a window whose frame is not known yet.
int FrameWidth(const QWidget* window);
int FrameHeight(const QWidget* window);
// Height of the first QStatusBar among the window's direct children; 0 when there is none.
int StatusBarHeight(const QWidget* window);

// 0 flat (single border line, no bevels, no 3-D look), 1 raised, 2 lowered inside raised,
// 3 lowered; other styles leave the panel as it is.
void SetBevelStyle(TBevelPanel* panel, int style);

// Moves every child widget of `panel` that is not a gradient panel into `target`, in child
// order, keeping position and visibility; labels among them stop filling their background.
// Windows owned by the panel, the target itself and any ancestor of the target stay.
void MoveChildren(QWidget* panel, QWidget* target);

// A size inside what Qt gives a widget, and geometry set inside it, so that no rectangle
// arithmetic can overflow.
int ClampExtent(int64_t size);
void SetClampedBounds(QWidget* widget, int64_t left, int64_t top, int64_t width, int64_t height);
void SetClampedHeight(QWidget* widget, int64_t height);

// Short waits are timed on the monotonic clock, so a change of the wall clock cannot stretch
// or cut them. ElapsedMs is the distance between two instants in whole milliseconds
// (truncated), whichever comes first.
using TTimePoint = std::chrono::steady_clock::time_point;
int64_t ElapsedMs(TTimePoint t1, TTimePoint t2);
bool WithinMs(int64_t limit, TTimePoint t1, TTimePoint t2);

// Luminance moved by -15 or +15 on the 0..240 scale of hue 0..239, saturation and luminance
// 0..240 (standard HSL, each value rounded half to even); alpha is kept.
QColor Darker(const QColor& color);
QColor Lighter(const QColor& color);
// Black text above luminance 120 (140 for greys: hue 0 and saturation below 10), else white.
QColor ContrastColor(const QColor& color);
