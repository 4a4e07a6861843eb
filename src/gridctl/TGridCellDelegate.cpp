#include "gridctl/TGridCellDelegate.h"

#include "gridctl/TGridControl.h"

#include <QItemSelectionModel>
#include <QPainter>

TGridCellDelegate::TGridCellDelegate(TGridControl* grid) : QStyledItemDelegate(grid), Grid(grid) {}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    // Rows selected before columns were added, shown or moved hold only their old cells in
    // the selection; the highlight still spans the whole row.
    const bool selected = option.state.testFlag(QStyle::State_Selected) ||
                          (Grid->Options().testFlag(TGridControl::goRowSelect) &&
                           Grid->selectionModel()->rowIntersectsSelection(index.row()));
    QColor back = Grid->BackgroundColor();
    if (selected) {
        back = Grid->SelectionColor();
    } else if (Grid->BandsActive()) {
        // Table row 0 is grid row 1, the first band.
        back = index.row() % 2 == 0 ? Grid->BandColor1() : Grid->BandColor2();
    }
    const int line = Grid->GridLineWidth();
    const QRect& rect = option.rect;
    const QRect cell = rect.adjusted(0, 0, -line, -line);
    painter->save();
    painter->fillRect(rect, back);
    painter->setFont(option.font);
    painter->setPen(selected ? Grid->SelectionTextColor() : Grid->FontColor());
    // drawText clips to the rectangle: a long text is cut off at the cell's right edge.
    painter->drawText(cell.adjusted(TextMargin, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (line > 0 && Grid->Options().testFlag(TGridControl::goVertLine)) {
        painter->fillRect(QRect(cell.right() + 1, rect.top(), line, rect.height()),
                          Grid->GridLineColor());
    }
    if (line > 0 && Grid->Options().testFlag(TGridControl::goHorzLine)) {
        painter->fillRect(QRect(rect.left(), cell.bottom() + 1, rect.width(), line),
                          Grid->GridLineColor());
    }
    painter->restore();
}
