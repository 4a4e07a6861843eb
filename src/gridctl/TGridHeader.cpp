#include "gridctl/TGridHeader.h"

#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridControl.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

const QColor FixedLineColor(Qt::black);
const QColor EdgeLight(Qt::white);
const QColor EdgeShadow(0x80, 0x80, 0x80);

} // namespace

TGridHeader::TGridHeader(TGridControl* grid) : QHeaderView(Qt::Horizontal, grid), Grid(grid) {}

QSize TGridHeader::sizeHint() const {
    return {length(), Grid->DefaultRowHeight() + Grid->GridLineWidth()};
}

// Drawn whole here: the style would paint its own look into the area right of the last
// column, where the grid shows its background.
void TGridHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Grid->BackgroundColor());
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        const QRect rect(sectionViewportPosition(logical), 0, sectionSize(logical),
                         viewport()->height());
        if (!isSectionHidden(logical) && rect.intersects(event->rect())) {
            paintSection(&painter, rect, logical);
        }
    }
}

void TGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const int line = Grid->GridLineWidth();
    const QRect cell = rect.adjusted(0, 0, -line, -line);
    painter->save();
    painter->fillRect(rect, Grid->FixedColor());
    if (!Grid->Flat() && cell.width() > 1 && cell.height() > 1) {
        painter->setPen(EdgeLight);
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.topLeft(), cell.bottomLeft());
        painter->setPen(EdgeShadow);
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->drawLine(cell.topRight(), cell.bottomRight());
    }
    painter->setFont(font());
    painter->setPen(Grid->FontColor());
    painter->drawText(cell.adjusted(TGridCellDelegate::TextMargin, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      Grid->Cell(logicalIndex, 0));
    if (line > 0 && Grid->Options().testFlag(TGridControl::goFixedVertLine)) {
        painter->fillRect(QRect(cell.right() + 1, rect.top(), line, rect.height()), FixedLineColor);
    }
    if (line > 0 && Grid->Options().testFlag(TGridControl::goFixedHorzLine)) {
        painter->fillRect(QRect(rect.left(), cell.bottom() + 1, rect.width(), line),
                          FixedLineColor);
    }
    painter->restore();
}
