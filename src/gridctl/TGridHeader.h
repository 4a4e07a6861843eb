#pragma once

#include "gridctl/TTextWidths.h"

#include <QHeaderView>
#include <QString>
#include <functional>

class QFontMetrics;
class QTableView;
struct TGridLook;

// The grid's fixed row: header cells in the grid's fixed colour and font colour, with the
// lines and raised edges the grid's options ask for, and the sort marks, one row high.
class TGridHeader : public QHeaderView {
    Q_OBJECT

public:
    // The header of `view`, painted as `look` says with the texts `text` gives for each
    // column; view and look outlive it.
    TGridHeader(QTableView* view, const TGridLook& look, std::function<QString(int)> text);

    QSize sizeHint() const override;
    // Pixels that the sort mark of `rank` (0 for none) takes at the right of a header cell.
    static int SortMarkRoom(const QFontMetrics& metrics, int rank);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    void PaintSortMark(QPainter* painter, const QRect& cell, int logicalIndex) const;

    const TGridLook& Look;
    std::function<QString(int)> Text;
    // The header's texts laid out once: every keystroke that changes the rows repaints them.
    mutable TTextWidths Widths;
};
