// The grid control's columns as a whole: their count, a column dragged to another place with
// its cells, the mark that shows where it will land, and emptying every cell at once. Each
// change takes the rows out and puts them back, which keeps it linear in the rows.
#include "gridctl/TGridControl.h"

#include "util/ScopedValue.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cstdlib>
#include <vector>

void TGridControl::SetColumnCount(int count) {
    count = std::max(count, 1);
    if (count != ColumnCount()) {
        ChangeColumns([this, count] { Cells->SetColumnCount(count); },
                      [count](int column) { return column < count ? column : -1; });
    }
}

void TGridControl::ClearCells() {
    Cells->ClearTexts();
}

void TGridControl::ChangeColumns(const std::function<void()>& change,
                                 const std::function<int(int)>& moved) {
    // The rows go out while the columns change and come back with their cells in their new
    // columns; the selection, the current cell and the scroll position come back by the rules
    // below, not as the views would shift them column by column.
    const int rows = DataRowCount();
    // Cells in columns that go leave the selection, new columns come unselected; whole rows
    // stay whole. Kept as runs of rows in one column each, or in every column.
    struct KeptRun {
        int Top;
        int Bottom;
        int Column; // -1: every column
    };
    std::vector<KeptRun> selected;
    const bool wholeRows = Look.Options.testFlag(goRowSelect);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (wholeRows) {
            selected.push_back({range.top(), range.bottom(), -1});
            continue;
        }
        for (int column = range.left(); column <= range.right(); ++column) {
            if (const int to = moved(column); to >= 0) {
                selected.push_back({range.top(), range.bottom(), to});
            }
        }
    }
    const int currentTo = currentIndex().column() >= 0 ? moved(currentIndex().column()) : -1;
    const QPoint scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int current = currentIndex().row();
    // The vertical scroll bar stays as it is while the rows are out: hidden for a moment, it
    // would leave the viewport wider for whatever fits the columns next.
    const Qt::ScrollBarPolicy verticalPolicy = verticalScrollBarPolicy();
    setVerticalScrollBarPolicy(verticalScrollBar()->isVisible() ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    {
        const ScopedValue rebuilding(RebuildingRows, true);
        std::vector<TGridCells::Row> cells = Cells->TakeRows();
        change();
        Cells->PutRows(std::move(cells), moved);
        const int lastColumn = ColumnCount() - 1;
        QItemSelection selection;
        for (const KeptRun& run : selected) {
            selection.select(Cells->index(run.Top, std::max(run.Column, 0)),
                             Cells->index(run.Bottom, run.Column < 0 ? lastColumn : run.Column));
        }
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        if (current >= 0 && current < rows) {
            // A current cell whose column went moves to the last column.
            const int column = currentTo >= 0 ? currentTo : lastColumn;
            selectionModel()->setCurrentIndex(Cells->index(current, column),
                                              QItemSelectionModel::NoUpdate);
        }
        // The scroll ranges follow the new rows at the view's delayed layout.
        executeDelayedItemsLayout();
        setVerticalScrollBarPolicy(verticalPolicy);
    }
    // Back where they were, the top row and left column are no change to report.
    horizontalScrollBar()->setValue(scrolled.x());
    verticalScrollBar()->setValue(scrolled.y());
}

// The header has just moved a dragged section from visual position `from` to `to`. The
// callers address columns by logical index, so the move is made in the data instead: the
// header goes back to its identity order and the column's cells, header and width follow.
void TGridControl::SectionMoved(int /*logical*/, int from, int to) {
    if (RestoringOrder) {
        return;
    }
    RestoringOrder = true;
    horizontalHeader()->moveSection(to, from);
    RestoringOrder = false;
    MoveColumnData(from, to);
    if (OnColumnMoved) {
        OnColumnMoved(from, to);
    }
}

void TGridControl::MoveColumnData(int from, int to) {
    const int width = horizontalHeader()->sectionSize(from);
    // A new column at the target takes the header over, then the old one goes; the cells
    // between shift by one towards where the moved column came from.
    const int target = to > from ? to + 1 : to;
    const int source = to > from ? from : from + 1;
    ChangeColumns(
        [this, target, source] {
            Cells->InsertColumn(target);
            Cells->SetHeaderText(target, Cells->HeaderText(source));
            Cells->RemoveColumn(source);
        },
        [from, to](int column) {
            if (column == from) {
                return to;
            }
            if (from < to && column > from && column <= to) {
                return column - 1;
            }
            if (to < from && column >= to && column < from) {
                return column + 1;
            }
            return column;
        });
    horizontalHeader()->resizeSection(to, width);
}

// Follows a press on the header the way the header itself decides on a section move, so
// the marker shows exactly where the header will drop the column.
void TGridControl::TrackHeaderDrag(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = mouse->position().toPoint().x();
    if (type == QEvent::MouseButtonPress) {
        const bool movable = EnhancedMove && horizontalHeader()->sectionsMovable() &&
                             mouse->button() == Qt::LeftButton && !OnSectionHandle(x);
        DragSection = movable ? horizontalHeader()->logicalIndexAt(x) : -1;
        DragStartX = x;
        Dragging = false;
    } else if (type == QEvent::MouseMove && DragSection >= 0 &&
               mouse->buttons().testFlag(Qt::LeftButton)) {
        Dragging = Dragging || std::abs(x - DragStartX) >= QApplication::startDragDistance();
        if (Dragging) {
            UpdateDropTarget(x);
        }
    } else if (type == QEvent::MouseButtonRelease) {
        DragSection = -1;
        ClearDropTarget();
    }
}

// A press this close to a section's edge resizes instead of moving.
bool TGridControl::OnSectionHandle(int x) const {
    const QHeaderView* header = horizontalHeader();
    const int visual = header->visualIndexAt(x);
    if (visual < 0) {
        return false;
    }
    const int logical = header->logicalIndex(visual);
    const int start = header->sectionViewportPosition(logical);
    const int grip = header->style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, header);
    const bool atLeft = x < start + grip && visual > 0;
    const bool atRight = x > start + header->sectionSize(logical) - grip;
    return atLeft || atRight;
}

void TGridControl::UpdateDropTarget(int x) {
    const QHeaderView* header = horizontalHeader();
    const int visual = header->visualIndexAt(x);
    if (visual < 0) {
        return; // beyond the last column the target stays where it was
    }
    const int moving = header->visualIndex(DragSection);
    const int middle = header->sectionViewportPosition(header->logicalIndex(visual)) +
                       header->sectionSize(header->logicalIndex(visual)) / 2;
    int target = visual;
    if (visual < moving && x >= middle) {
        target = visual + 1;
    } else if (visual > moving && x <= middle) {
        target = visual - 1;
    }
    const int logical = header->logicalIndex(target);
    const int start = header->sectionViewportPosition(logical);
    DropPosition = target == moving ? -1 : target;
    DropMarkerX = target == moving  ? -1
                  : target < moving ? start
                                    : start + header->sectionSize(logical);
    viewport()->update();
}

void TGridControl::ClearDropTarget() {
    DropPosition = -1;
    DropMarkerX = -1;
    viewport()->update();
}
