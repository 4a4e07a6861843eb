// The grid controller's clicks and its sort: alt-click hides a column, header clicks sort,
// a dragged column moves its record; the selection follows its rows through a new order.
#include "easygrid/TEasyGrid.h"

#include "util/ScopedValue.h"

#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"
#include "superarray/superarray.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>

namespace {

// An alt-click waits for the button's release; a button that never comes up (a lost
// release) must not hold the window for good.
constexpr int MouseReleaseWaitMs = 5000;

} // namespace

void TEasyGrid::WaitForMouseRelease() const {
    const QDeadlineTimer deadline(MouseReleaseWaitMs);
    while ((QGuiApplication::mouseButtons() & Qt::LeftButton) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

bool TEasyGrid::GridClickCell(int32_t column, int32_t row) {
    if (!Grid || row < 0 || row >= Grid->RowCount()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    if (modifiers & Qt::AltModifier) {
        HideColumn(Columns.ColumnIdAt(column), true);
    }
    if (row != 0 || !(modifiers & Qt::ShiftModifier) || Columns.Table == nullptr) {
        return false;
    }
    return SortByColumn(column, (modifiers & Qt::ControlModifier) != 0);
}

bool TEasyGrid::SortByColumn(int32_t column, bool adding) {
    if (Columns.Table == nullptr) {
        return false;
    }
    const ColDataT* col = Columns.Column(Columns.ColumnIdAt(column));
    if (col == nullptr || col->Key.empty()) {
        return false;
    }
    const std::string key = col->Key;
    if (!adding) {
        ChangeSort(key, false);
    } else if (Columns.Table->SortSpec.empty()) {
        Columns.Table->SortSpec = key;
    } else {
        ChangeSort(key, true);
    }
    SortTable();
    return true;
}

TEasyGrid::TRowsKept TEasyGrid::KeepRows() const {
    TRowsKept kept;
    if (!Grid || Columns.Table == nullptr || IdentityColumns.empty()) {
        return kept;
    }
    const int32_t count = Columns.Table->Count();
    const std::vector<int> selected = Grid->SelectedRows();
    kept.Selected.reserve(selected.size());
    for (const int row : selected) {
        if (row <= count) {
            kept.Selected.insert(Columns.RowIdentity(row, IdentityColumns));
        }
    }
    const int current = Grid->CurrentRow();
    if (current >= 1 && current <= count) {
        kept.Current = Columns.RowIdentity(current, IdentityColumns);
        kept.HasCurrent = true;
    }
    return kept;
}

void TEasyGrid::RestoreRows(const TRowsKept& kept) {
    if (Grid && Columns.Table != nullptr && !IdentityColumns.empty()) {
        // The selected rows in one look through the rows. Mostly the current row is the one
        // selected row and found with it; otherwise a second look for it alone, which most
        // rows fail at their first text, is cheaper than a copy of a selection of every row.
        const std::vector<int32_t> found =
            Columns.RowsWithIdentities(IdentityColumns, kept.Selected);
        const std::vector<int> selected(found.begin(), found.end());
        int current = 0;
        if (kept.HasCurrent && kept.Selected.size() == 1 && kept.Selected.contains(kept.Current)) {
            current = found.empty() ? 0 : found.front();
        } else if (kept.HasCurrent) {
            const std::vector<int32_t> rows =
                Columns.RowsWithIdentities(IdentityColumns, {kept.Current});
            current = rows.empty() ? 0 : rows.front();
        }
        // Moving the current row may scroll; the one fill below covers the view it ends in.
        const ScopedValue filling(Filling, true);
        MatchRowCount(*Columns.Table);
        Grid->SelectRows(selected);
        if (current != 0) {
            Grid->MoveCurrentRow(current);
        }
    }
    Refresh();
}

void TEasyGrid::SortTable() {
    if (Columns.Table == nullptr) {
        return;
    }
    const TRowsKept kept = KeepRows();
    // Without keys the rows sort by the order they were added in.
    Columns.Table->Sort();
    RestoreRows(kept);
}

void TEasyGrid::Unsort() {
    if (Columns.Table != nullptr) {
        Columns.Table->SortSpec.clear();
        SortTable();
    }
}

void TEasyGrid::ChangeSort(const std::string& key, bool adding) {
    if (Columns.Table != nullptr && !key.empty()) {
        Columns.Table->SortSpec = ColumnModel::ChangedSort(
            Columns.Table->SortSpec, Columns.Table->KeySeparator, key, adding);
    }
}

void TEasyGrid::GridColumnMoved(int32_t from, int32_t to) {
    MoveColumn(from, to);
}

void TEasyGrid::MoveColumn(int32_t from, int32_t to) {
    if (Columns.MoveColumn(from, to)) {
        BuildMenu();
    }
}
