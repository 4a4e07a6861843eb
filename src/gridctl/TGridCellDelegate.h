#pragma once

#include <QString>
#include <QStyledItemDelegate>

class QTableView;
class TTextWidths;
struct TGridLook;

// The beginning of a one-line text that fills `width` pixels: drawn left-aligned and clipped
// to that width it shows the same pixels as the whole text, but costs the shaping of a cell's
// width instead of a whole divisor list of thousands of characters. Texts that may reorder or
// join across the cut (right-to-left and complex scripts, controls) are kept whole.
QString VisiblePart(const QString& text, TTextWidths& widths, int width);

// Draws one line of text in `rect` pixel for pixel as QPainter::drawText does aligned left and
// centred vertically on a single line. A plain line comes from a layout that `widths`, set to
// the painter's font and device, keeps across paints: shaping the same texts again on every
// paint was most of a keystroke's painting.
void DrawCellText(QPainter* painter, const QRect& rect, const QString& text, TTextWidths& widths);

// The text a cell of `width` pixels shows: whole when it fits, else cut with an ellipsis at
// the end.
QString ShownText(const QString& text, TTextWidths& widths, int width);

// Paints the grid's data cells: band, background or selection colour, the text clipped to the
// cell with an ellipsis where it is cut, the grid lines the options ask for at the right and
// bottom edge, and a frame around the current row.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // Paints the cells of `view` as `look` says, measuring with `widths`; all three outlive
    // the painter.
    TGridCellDelegate(QTableView* view, const TGridLook& look, TTextWidths& widths);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    void PaintCurrentRowMark(QPainter* painter, const QRect& rect, const QModelIndex& index) const;

    QTableView* View;
    const TGridLook& Look;
    TTextWidths& Widths;
};
