#pragma once

#include <QHeaderView>

class TGridControl;

// The grid's fixed row: header cells in the grid's fixed colour and font colour, with the
// lines and raised edges the grid's options ask for, one row high.
class TGridHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TGridHeader(TGridControl* grid);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TGridControl* Grid;
};
