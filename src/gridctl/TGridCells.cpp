// The grid control's texts as a table model of its own: the toolkit's item table keeps an
// object per written cell and a pointer per cell of every row, and a keystroke that rewrites
// a screenful of cells and changes the row count by thousands spent more in them than in
// painting.
#include "gridctl/TGridCells.h"

#include <algorithm>

namespace {

const QString& Empty() {
    static const QString empty;
    return empty;
}

} // namespace

int TGridCells::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

int TGridCells::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Headers.size());
}

QVariant TGridCells::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return Text(index.row(), index.column());
}

QVariant TGridCells::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return HeaderText(section);
}

Qt::ItemFlags TGridCells::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

const QString& TGridCells::Text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return Empty();
    }
    const Row& cells = Rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)]
                                                           : Empty();
}

const QString& TGridCells::HeaderText(int column) const {
    return column >= 0 && column < columnCount() ? Headers[static_cast<std::size_t>(column)]
                                                 : Empty();
}

void TGridCells::SetText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        Text(row, column) == text) {
        return;
    }
    Row& cells = Rows[static_cast<std::size_t>(row)];
    if (cells.size() <= static_cast<std::size_t>(column)) {
        cells.resize(Headers.size());
    }
    cells[static_cast<std::size_t>(column)] = text;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

void TGridCells::SetHeaderText(int column, const QString& text) {
    if (column >= 0 && column < columnCount() && HeaderText(column) != text) {
        Headers[static_cast<std::size_t>(column)] = text;
        emit headerDataChanged(Qt::Horizontal, column, column);
    }
}

void TGridCells::SetRow(int row, std::span<const QString> texts) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    texts = texts.first(std::min(texts.size(), Headers.size()));
    Row next;
    if (std::ranges::any_of(texts, [](const QString& text) { return !text.isEmpty(); })) {
        next.assign(texts.begin(), texts.end());
        next.resize(Headers.size());
    }
    Row& cells = Rows[static_cast<std::size_t>(row)];
    if (next != cells) {
        cells = std::move(next);
        emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::DisplayRole});
    }
}

void TGridCells::ClearTexts() {
    bool any = false;
    for (Row& cells : Rows) {
        any = any || !cells.empty();
        cells.clear();
    }
    if (any) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
}

void TGridCells::SetRowCount(int count) {
    const int old = rowCount();
    count = std::max(count, 0);
    if (count > old) {
        beginInsertRows({}, old, count - 1);
        Rows.resize(static_cast<std::size_t>(count));
        endInsertRows();
    } else if (count < old) {
        beginRemoveRows({}, count, old - 1);
        Rows.resize(static_cast<std::size_t>(count));
        endRemoveRows();
    }
}

void TGridCells::SetColumnCount(int count) {
    count = std::max(count, 0);
    while (columnCount() < count) {
        InsertColumn(columnCount());
    }
    if (count < columnCount()) {
        beginRemoveColumns({}, count, columnCount() - 1);
        Headers.resize(static_cast<std::size_t>(count));
        for (Row& cells : Rows) {
            if (!cells.empty()) {
                cells.resize(Headers.size());
            }
        }
        endRemoveColumns();
    }
}

void TGridCells::InsertColumn(int column) {
    column = std::clamp(column, 0, columnCount());
    beginInsertColumns({}, column, column);
    Headers.insert(Headers.begin() + column, QString());
    for (Row& cells : Rows) {
        if (!cells.empty()) {
            cells.insert(cells.begin() + column, QString());
        }
    }
    endInsertColumns();
}

void TGridCells::RemoveColumn(int column) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    beginRemoveColumns({}, column, column);
    Headers.erase(Headers.begin() + column);
    for (Row& cells : Rows) {
        if (!cells.empty()) {
            cells.erase(cells.begin() + column);
        }
    }
    endRemoveColumns();
}

std::vector<TGridCells::Row> TGridCells::TakeRows() {
    std::vector<Row> rows;
    if (!Rows.empty()) {
        beginRemoveRows({}, 0, rowCount() - 1);
        rows.swap(Rows);
        endRemoveRows();
    }
    return rows;
}

void TGridCells::PutRows(std::vector<Row> rows, const std::function<int(int)>& moved) {
    SetRowCount(0);
    if (rows.empty()) {
        return;
    }
    const int columns = columnCount();
    for (Row& cells : rows) {
        if (cells.empty()) {
            continue;
        }
        Row next(Headers.size());
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            if (const int to = moved(column); to >= 0 && to < columns) {
                next[static_cast<std::size_t>(to)] =
                    std::move(cells[static_cast<std::size_t>(column)]);
            }
        }
        cells = std::move(next);
    }
    beginInsertRows({}, 0, static_cast<int>(rows.size()) - 1);
    Rows = std::move(rows);
    endInsertRows();
}
