// Painting the grid's data cells: colours, texts cut to fit, lines and the current row.
#include "gridctl/TGridCellDelegate.h"

#include "gridctl/TGridLook.h"
#include "gridctl/TTextWidths.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QTableView>

#include <algorithm>

namespace {

// Whether a text lays out as one line of left-to-right characters, each on its own: below
// U+0590 are the left-to-right alphabets and their marks; controls such as a tab or a line
// end change the layout.
bool IsPlainLine(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t code = c.unicode();
        return code >= 0x20 && code < 0x590 && (code < 0x7F || code >= 0xA0);
    });
}

} // namespace

QString VisiblePart(const QString& text, TTextWidths& widths, int width) {
    // A widest character beyond the edge on either side of the cut, so that kerning or a mark
    // at the cut cannot reach into view.
    const int reach = std::max(width, 0) + 2 * widths.MaxWidth();
    qsizetype keep = reach / std::max(widths.AverageCharWidth(), 1) + 8;
    if (text.size() <= keep) {
        return text;
    }
    const bool simple = IsPlainLine(text);
    for (; simple && keep < text.size(); keep *= 2) {
        QString part = text.left(keep);
        if (widths.Advance(part) >= reach) {
            return part;
        }
    }
    return text;
}

void DrawCellText(QPainter* painter, const QRect& rect, const QString& text, TTextWidths& widths) {
    // A cut text ends in an ellipsis, which lays out as plainly as the rest.
    constexpr QChar Ellipsis(0x2026);
    if (!IsPlainLine(text.endsWith(Ellipsis) ? QStringView(text).chopped(1) : text)) {
        painter->drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        return;
    }
    const QStaticText laid = widths.Laid(text);
    const qreal line = widths.LineHeight();
    // drawText clips a line only where it reaches out of the rectangle.
    if (laid.size().width() > rect.width() || line > rect.height()) {
        painter->setClipRect(rect, Qt::IntersectClip);
    }
    painter->drawStaticText(QPointF(rect.left(), rect.top() + (rect.height() - line) / 2), laid);
}

QString ShownText(const QString& text, TTextWidths& widths, int width) {
    const QString part = VisiblePart(text, widths, width);
    // A number cut at the edge reads as another valid number: an ellipsis says it goes on. A
    // part that is shorter than the text already reaches beyond the width.
    if (part.size() == text.size() && widths.Advance(part) <= width) {
        return part;
    }
    return widths.Elided(part, std::max(width, 0));
}

TGridCellDelegate::TGridCellDelegate(QTableView* view, const TGridLook& look, TTextWidths& widths)
    : QStyledItemDelegate(view), View(view), Look(look), Widths(widths) {}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    // Rows selected before columns were added, shown or moved hold only their old cells in
    // the selection; the highlight still spans the whole row.
    const bool selected = option.state.testFlag(QStyle::State_Selected) ||
                          (Look.Options.testFlag(TGridLook::goRowSelect) &&
                           View->selectionModel()->rowIntersectsSelection(index.row()));
    QColor back = Look.Background;
    if (selected) {
        back = Look.SelectedColor;
    } else if (Look.Bands) {
        // Table row 0 is grid row 1, the first band.
        back = index.row() % 2 == 0 ? Look.Band1 : Look.Band2;
    }
    const int line = Look.LineWidth;
    const QRect& rect = option.rect;
    const QRect cell = rect.adjusted(0, 0, -line, -line);
    painter->save();
    painter->fillRect(rect, back);
    painter->setFont(option.font);
    painter->setPen(selected ? Look.SelectedTextColor : Look.TextColor);
    const QRect textRect = cell.adjusted(TGridLook::TextMargin, 0, 0, 0);
    Widths.Use(option.font, painter->device());
    DrawCellText(painter, textRect,
                 ShownText(index.data(Qt::DisplayRole).toString(), Widths, textRect.width()),
                 Widths);
    if (line > 0 && Look.Options.testFlag(TGridLook::goVertLine)) {
        painter->fillRect(QRect(cell.right() + 1, rect.top(), line, rect.height()), Look.LineColor);
    }
    if (line > 0 && Look.Options.testFlag(TGridLook::goHorzLine)) {
        painter->fillRect(QRect(rect.left(), cell.bottom() + 1, rect.width(), line),
                          Look.LineColor);
    }
    if (index.row() == View->currentIndex().row()) {
        PaintCurrentRowMark(painter, rect, index);
    }
    painter->restore();
}

// A frame around the whole current row, thicker while the grid has the focus, so that the
// row that Return or a click of the keyboard acts on is always in sight.
void TGridCellDelegate::PaintCurrentRowMark(QPainter* painter, const QRect& rect,
                                            const QModelIndex& index) const {
    const int width = View->hasFocus() ? 2 : 1;
    const QColor colour = View->palette().color(QPalette::Active, QPalette::Highlight);
    const QHeaderView* header = View->horizontalHeader();
    const int visual = header->visualIndex(index.column());
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter->fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    if (visual == 0) {
        painter->fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    }
    if (visual == header->count() - 1 - header->hiddenSectionCount()) {
        painter->fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()),
                          colour);
    }
}
