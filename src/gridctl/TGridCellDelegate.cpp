#include "gridctl/TGridCellDelegate.h"

#include "gridctl/TGridControl.h"

#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QPainter>

#include <algorithm>

QString VisiblePart(const QString& text, const QFontMetrics& metrics, int width) {
    // A widest character beyond the edge on either side of the cut, so that kerning or a mark
    // at the cut cannot reach into view.
    const int reach = std::max(width, 0) + 2 * metrics.maxWidth();
    qsizetype keep = reach / std::max(metrics.averageCharWidth(), 1) + 8;
    if (text.size() <= keep) {
        return text;
    }
    // Below U+0590 are the left-to-right alphabets and their marks; controls such as a tab
    // change the layout.
    const bool simple = std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t code = c.unicode();
        return code >= 0x20 && code < 0x590 && (code < 0x7F || code >= 0xA0);
    });
    for (; simple && keep < text.size(); keep *= 2) {
        QString part = text.left(keep);
        if (metrics.horizontalAdvance(part) >= reach) {
            return part;
        }
    }
    return text;
}

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
    const QRect textRect = cell.adjusted(TextMargin, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      VisiblePart(index.data(Qt::DisplayRole).toString(), painter->fontMetrics(),
                                  textRect.width()));
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
