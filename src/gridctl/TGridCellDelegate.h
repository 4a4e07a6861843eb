#pragma once

#include <QStyledItemDelegate>

class TGridControl;

// Paints the grid's data cells: band, background or selection colour, the text clipped to the
// cell, and the grid lines the options ask for at the right and bottom edge.
class TGridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TGridCellDelegate(TGridControl* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Space between a cell's left edge and its text, and after the text.
    static constexpr int TextMargin = 2;

private:
    TGridControl* Grid;
};
