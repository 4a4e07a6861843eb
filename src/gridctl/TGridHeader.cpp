// Painting the grid's header row: fixed colour, edges, lines and sort marks.
#include "gridctl/TGridHeader.h"

#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridLook.h"

#include <QTableView>

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QColor FixedLineColor(Qt::black);
const QColor EdgeLight(Qt::white);
const QColor EdgeShadow(0x80, 0x80, 0x80);

} // namespace

TGridHeader::TGridHeader(QTableView* view, const TGridLook& look, std::function<QString(int)> text)
    : QHeaderView(Qt::Horizontal, view), Look(look), Text(std::move(text)) {}

QSize TGridHeader::sizeHint() const {
    return {length(), Look.RowHeight + Look.LineWidth};
}

// Drawn whole here: the style would paint its own look into the area right of the last
// column, where the grid shows its background.
void TGridHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Look.Background);
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical),
                         viewport()->height());
        if (!isSectionHidden(logical) && rect.intersects(event->rect())) {
            paintSection(&painter, rect, logical);
        }
    }
}

int TGridHeader::SortMarkRoom(const QFontMetrics& metrics, int rank) {
    if (rank <= 0) {
        return 0;
    }
    const int arrow = std::max(metrics.height() / 2, 5) + 2 * TGridLook::TextMargin;
    return rank == 1 ? arrow : arrow + metrics.horizontalAdvance(QString::number(rank));
}

// An arrow at the cell's right end, up for an ascending key and down for a descending one,
// with the key's rank before it from the second key on.
void TGridHeader::PaintSortMark(QPainter* painter, const QRect& cell, int logicalIndex) const {
    const TGridLook::TSortMark mark = Look.SortMarkOf(logicalIndex);
    if (mark.Rank <= 0) {
        return;
    }
    const QFontMetrics metrics(font());
    const int size = std::max(metrics.height() / 2, 5);
    const int right = cell.right() - TGridLook::TextMargin;
    const int middle = cell.center().y();
    const QPointF tip(right - size / 2.0,
                      mark.Descending ? middle + size / 2.0 : middle - size / 2.0);
    const qreal base = mark.Descending ? middle - size / 2.0 : middle + size / 2.0;
    const QPointF arrow[] = {tip, QPointF(right - size, base), QPointF(right, base)};
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Look.TextColor);
    painter->drawPolygon(arrow, 3);
    if (mark.Rank > 1) {
        painter->setPen(Look.TextColor);
        const QRect number(cell.left(), cell.top(), right - size - cell.left() - 1, cell.height());
        painter->drawText(number, Qt::AlignRight | Qt::AlignVCenter, QString::number(mark.Rank));
    }
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const int line = Look.LineWidth;
    const QRect cell = rect.adjusted(0, 0, -line, -line);
    painter->save();
    painter->fillRect(rect, Look.HeaderColor);
    if (!Look.Flat && cell.width() > 1 && cell.height() > 1) {
        painter->setPen(EdgeLight);
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
        painter->setPen(EdgeShadow);
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    painter->setFont(font());
    painter->setPen(Look.TextColor);
    Widths.Use(font(), painter->device());
    // The text's clip, where it needs one, is not the sort mark's.
    painter->save();
    DrawCellText(painter, cell.adjusted(TGridLook::TextMargin, 0, 0, 0), Text(logicalIndex),
                 Widths);
    painter->restore();
    PaintSortMark(painter, cell, logicalIndex);
    if (line > 0 && Look.Options.testFlag(TGridLook::goFixedVertLine)) {
        painter->fillRect(QRect(cell.right() + 1, rect.top(), line, rect.height()), FixedLineColor);
    }
    if (line > 0 && Look.Options.testFlag(TGridLook::goFixedHorzLine)) {
        painter->fillRect(QRect(rect.left(), cell.bottom() + 1, rect.width(), line),
                          FixedLineColor);
    }
    painter->restore();
}
