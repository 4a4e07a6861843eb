#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <span>
#include <vector>

// The texts of the grid control: one header text per column and the data cells, row by row.
// A row that holds no text holds no memory beyond its empty list, so tens of thousands of rows
// of which a screenful is written cost little, and a change of the row count only resizes the
// list of rows. A row is empty or holds one text per column. Indexes are the model's own:
// row 0 is the first data row.
class TGridCells : public QAbstractTableModel {
public:
    using Row = std::vector<QString>;

    explicit TGridCells(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Empty outside the cells.
    const QString& Text(int row, int column) const;
    const QString& HeaderText(int column) const;
    // Writes inside the cells only; each write of a changed text tells the views once.
    void SetText(int row, int column, const QString& text);
    void SetHeaderText(int column, const QString& text);
    // Writes the row's cells from the first column on, empties the rest, and tells the views
    // once for the row.
    void SetRow(int row, std::span<const QString> texts);
    // Empties every data cell; the views are told once.
    void ClearTexts();

    // New rows and columns are empty; both counts are at least 0.
    void SetRowCount(int count);
    void SetColumnCount(int count);
    void InsertColumn(int column);
    void RemoveColumn(int column);

    // Every row taken out at once (the row count becomes 0), and put back in place of the rows
    // there are then, the text of column c going to column moved(c) (-1 or beyond the columns:
    // away).
    std::vector<Row> TakeRows();
    void PutRows(std::vector<Row> rows, const std::function<int(int)>& moved);

private:
    std::vector<Row> Rows;
    std::vector<QString> Headers; // one per column
};
